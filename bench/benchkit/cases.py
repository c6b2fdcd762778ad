"""The benchmark tasks, each as the closest equivalent command in every tool.

Every case runs over one photo folder ("all", "jpeg", "png", "largest", "huge").
The first Quillane row of a case is the one every other row is compared with.
`geometry` (ImageMagick's -resize argument) marks the cases whose outputs are scored
for quality against references scaled to the same size.
"""
from dataclasses import dataclass
from typing import Optional

from . import tools as t

FONT = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
HINT = "400x400"        # the JPEG size hint: twice the thumbnail box


@dataclass
class Case:
    key: str
    task: int
    title: str
    photo_set: str
    rows: list
    geometry: Optional[str] = None


def _fast_exact():
    return [
        t.quillane("Quillane", ["pixel", "--fast", "--width", "200", "--height", "200"]),
        t.quillane("Quillane (high quality)", ["pixel", "--width", "200", "--height", "200"]),
        t.vipsthumbnail("vipsthumbnail", ["--size", "200x200!"]),
        t.imagemagick("ImageMagick", ["-thumbnail", "200x200!"]),
        t.imagemagick("ImageMagick + size hint", ["-thumbnail", "200x200!"], hint=HINT),
        t.graphicsmagick("GraphicsMagick + size hint", ["-thumbnail", "200x200!"], hint=HINT),
    ]


def _fast_side():
    return [
        t.quillane("Quillane", ["side", "--fast", "--width", "200"]),
        t.quillane("Quillane (high quality)", ["side", "--width", "200"]),
        t.vipsthumbnail("vipsthumbnail", ["--size", "200x"]),
        t.imagemagick("ImageMagick", ["-thumbnail", "200x"]),
        t.imagemagick("ImageMagick + size hint", ["-thumbnail", "200x"], hint=HINT),
        t.graphicsmagick("GraphicsMagick + size hint", ["-thumbnail", "200x"], hint=HINT),
    ]


def _memory_rows():
    return [
        t.quillane("Quillane", ["pixel", "--fast", "--width", "200", "--height", "200"]),
        t.vipsthumbnail("vipsthumbnail", ["--size", "200x200!"]),
    ]


def _floor():
    return [
        t.quillane("Quillane", ["pixel", "--fast", "--width", "200", "--height", "200"]),
        t.vipsthumbnail("vipsthumbnail", ["--size", "200x200!"]),
        t.djpeg("djpeg, full size", []),
        t.djpeg("djpeg -scale 1/8", ["-scale", "1/8"]),
    ]


def _percent():
    return [
        t.quillane("Quillane", ["percent", "--width", "50", "--height", "50"]),
        t.vips_per_file("vips resize cubic, per file", "resize", ["0.5", "--kernel", "cubic"]),
        t.imagemagick("ImageMagick", ["-filter", "Catrom", "-resize", "50%"]),
        t.graphicsmagick("GraphicsMagick", ["-filter", "Catrom", "-resize", "50%"]),
    ]


FILL = ["-resize", "200x200", "-background", "white", "-gravity", "center", "-extent", "200x200"]
CUT = ["-resize", "200x200^", "-gravity", "center", "-extent", "200x200"]


def _fill():
    # vipsthumbnail fits without the bars: the nearest it has in one command.
    return [
        t.quillane("Quillane", ["pixel", "--mode", "fill", "--width", "200", "--height", "200"]),
        t.quillane("Quillane (fast)", ["pixel", "--mode", "fill", "--fast", "--width", "200",
                                       "--height", "200"]),
        t.vipsthumbnail("vipsthumbnail (fit, no bars)", ["--size", "200x200"], fmt="jpg"),
        t.imagemagick("ImageMagick", FILL, fmt="jpg"),
        t.imagemagick("ImageMagick + size hint", FILL, fmt="jpg", hint=HINT),
        t.graphicsmagick("GraphicsMagick + size hint", FILL, fmt="jpg", hint=HINT),
    ]


def _cut():
    return [
        t.quillane("Quillane", ["pixel", "--mode", "cut", "--width", "200", "--height", "200"]),
        t.quillane("Quillane (fast)", ["pixel", "--mode", "cut", "--fast", "--width", "200",
                                       "--height", "200"]),
        t.vipsthumbnail("vipsthumbnail", ["--size", "200x200", "--smartcrop", "centre"], fmt="jpg"),
        t.imagemagick("ImageMagick", CUT, fmt="jpg"),
        t.imagemagick("ImageMagick + size hint", CUT, fmt="jpg", hint=HINT),
        t.graphicsmagick("GraphicsMagick + size hint", CUT, fmt="jpg", hint=HINT),
    ]


def _convert(to):
    ext = to
    return [
        t.quillane("Quillane", ["convert", "--to", to], affix="", fmt=ext),
        t.vips_per_file("vips copy, per file", "copy", [], fmt=ext),
        t.imagemagick("ImageMagick", [], fmt=ext),
        t.graphicsmagick("GraphicsMagick", [], fmt=ext),
    ]


def _convert_modern(to, quality, vips_options, magick_defines):
    """JPEG to WebP or AVIF at the same quality and speed in every tool, each tool given
    every core: Quillane at its defaults, the others one process per core at a time."""
    return [
        t.quillane("Quillane", ["convert", "--to", to], affix=""),
        t.vips_copy_every_core("vips copy, per file, every core", to, f"Q={quality}{vips_options}"),
        t.imagemagick_every_core("ImageMagick, per file, every core", to,
                                 ["-quality", str(quality)] + magick_defines),
    ]


def _crop():
    return [
        t.quillane("Quillane", ["crop", "--left", "10", "--top", "20", "--width", "100",
                                "--height", "100"], affix="_c"),
        t.vips_per_file("vips crop, per file", "crop", ["10", "20", "100", "100"]),
        t.imagemagick("ImageMagick", ["-crop", "100x100+10+20", "+repage"]),
        t.graphicsmagick("GraphicsMagick", ["-crop", "100x100+10+20", "+repage"]),
    ]


def _watermark():
    # Quillane's 12-point text at 96 dpi is 16 pixels high; the others are given 16 pixels.
    text = "Quillane"
    return [
        t.quillane("Quillane", ["watermark", "--text", text, "--size", "12", "--colour", "000000",
                                "--x", "10", "--y", "10", "--opacity", "50"], affix="_w"),
        t.imagemagick("ImageMagick", ["-gravity", "SouthEast", "-font", FONT, "-pointsize", "16",
                                      "-fill", "rgba(0,0,0,0.5)", "-annotate", "+10+10", text]),
        t.graphicsmagick("GraphicsMagick", ["-gravity", "SouthEast", "-font", FONT,
                                            "-pointsize", "16", "-fill", "#00000080",
                                            "-draw", f"text 10,10 '{text}'"]),
    ]


def _many_small():
    # The measure for the cost a file: percentage 50 % over small pictures.
    percent = ["percent", "--width", "50", "--height", "50"]
    return [
        t.quillane("Quillane --jobs 2", percent + ["--jobs", "2"]),
        t.quillane("Quillane --jobs 1", percent + ["--jobs", "1"]),
        t.imagemagick("ImageMagick", ["-filter", "Catrom", "-resize", "50%"]),
        t.graphicsmagick("GraphicsMagick", ["-filter", "Catrom", "-resize", "50%"]),
    ]


def _per_format():
    return [t.quillane("Quillane --jobs 2", ["percent", "--width", "50", "--height", "50",
                                            "--jobs", "2"])]


SMALL_FORMATS = ("jpg", "png", "tif", "gif", "bmp")


def _cases():
    return [
        Case("1a", 1, "fast thumbnails, exactly 200 x 200", "all", _fast_exact(), "200x200!"),
        Case("1b", 1, "fast thumbnails, 200 wide", "all", _fast_side(), "200x"),
        Case("1c", 1, "fast 200 x 200, JPEGs only, against the decoder floor", "jpeg", _floor()),
        Case("1d", 1, "fast 200 x 200, the largest photo (memory)", "largest", _memory_rows()),
        Case("1e", 1, "fast 200 x 200, a 100-megapixel JPEG (memory)", "huge", _memory_rows()),
        Case("2", 2, "high-quality 50 %", "all", _percent(), "50%"),
        Case("3a", 3, "fit with fill into 200 x 200", "all", _fill()),
        Case("3b", 3, "fit with cut into 200 x 200", "all", _cut()),
        Case("4a", 4, "conversion JPEG to PNG", "jpeg", _convert("png")),
        Case("4b", 4, "conversion PNG to JPEG", "png", _convert("jpg")),
        Case("4c", 4, "conversion JPEG to WebP (quality 75)", "jpeg", _convert_modern("webp", 75, "", [])),
        Case("4d", 4, "conversion JPEG to AVIF (quality 50, fastest effort)", "jpeg",
             _convert_modern("avif", 50, ",compression=av1,effort=0", ["-define", "heic:speed=9"])),
        Case("4e", 4, "conversion JPEG to GIF", "jpeg", _convert("gif")),
        Case("4f", 4, "conversion JPEG to BMP", "jpeg", _convert("bmp")),
        Case("5", 5, "crop 100 x 100 at (10, 20)", "all", _crop()),
        Case("6", 6, "text watermark bottom-right, 50 % opacity", "all", _watermark()),
        Case("7", 7, "many small pictures, 50 %", "small", _many_small()),
    ] + [Case(f"7{fmt}", 7, f"64 x 48 {fmt.upper()} pictures, 50 %", f"tiny-{fmt}",
              _per_format()) for fmt in SMALL_FORMATS]


def all_cases():
    """Every case, each other tool also run on every core at once beside its one-process row."""
    cases = _cases()
    for case in cases:
        case.rows = t.with_parallel(case.rows)
    return cases


def select(cases, wanted):
    """Cases whose task number or own key is in `wanted` (all when it is empty)."""
    if not wanted:
        return cases
    return [c for c in cases if str(c.task) in wanted or c.key in wanted]
