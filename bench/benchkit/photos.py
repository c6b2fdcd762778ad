"""The benchmark photos: Debian's wallpaper package, unpacked into the build folder.

The package is fetched once and kept under build/bench/; it is never committed.
"""
import hashlib
import shutil
import subprocess
from dataclasses import dataclass
from pathlib import Path

PACKAGE = "plasma-workspace-wallpapers"
VIPSHEADER = "/usr/bin/vipsheader"
VIPS = "/usr/bin/vips"
HUGE_MEGAPIXELS = 100


@dataclass
class Photo:
    path: Path      # where the photo lies in a benchmark folder
    kind: str       # "jpeg" or "png"
    width: int
    height: int
    size: int       # bytes

    @property
    def name(self):
        return self.path.name

    @property
    def stem(self):
        return self.path.stem

    @property
    def suffix(self):
        return self.path.suffix

    @property
    def pixels(self):
        return self.width * self.height


@dataclass
class PhotoSet:
    key: str
    folder: Path
    photos: list


def _fetch_package(work, log):
    debs = sorted(work.glob(f"{PACKAGE}_*.deb"))
    if not debs:
        log(f"downloading {PACKAGE}")
        subprocess.run(["apt-get", "-o", "DPkg::Lock::Timeout=300", "download", PACKAGE],
                       cwd=work, check=True, stdout=subprocess.DEVNULL)
        debs = sorted(work.glob(f"{PACKAGE}_*.deb"))
    return debs[-1]


def _unpack(deb, work):
    unpacked = work / "unpacked"
    stamp = unpacked / ".from"
    if stamp.exists() and stamp.read_text() == deb.name:
        return unpacked
    shutil.rmtree(unpacked, ignore_errors=True)
    unpacked.mkdir(parents=True)
    subprocess.run(["dpkg-deb", "-x", str(deb), str(unpacked)], check=True)
    stamp.write_text(deb.name)
    return unpacked


def _flat_name(path):
    # .../wallpapers/Flow/contents/images_dark/5120x2880.jpg -> Flow-dark-5120x2880.jpg
    parts = path.parts
    theme = parts[parts.index("contents") - 1]
    variant = parts[parts.index("contents") + 1].removeprefix("images").strip("_")
    label = f"{theme}-{variant}" if variant else theme
    return f"{label}-{path.stem}{path.suffix.lower()}"


def _header(path, field):
    out = subprocess.run([VIPSHEADER, "-f", field, str(path)], capture_output=True, text=True)
    return int(out.stdout.strip() or 0)


def _wallpapers(unpacked):
    """The wallpapers proper (not the small previews), each content once."""
    seen = set()
    found = []
    for path in sorted(unpacked.rglob("*")):
        if path.suffix.lower() not in (".jpg", ".jpeg", ".png") or "contents" not in path.parts:
            continue
        if not path.parent.name.startswith("images") or path.is_symlink():
            continue    # screenshot.* previews, and other sizes that link to the same file
        digest = hashlib.sha256(path.read_bytes()).hexdigest()
        if digest not in seen:
            seen.add(digest)
            found.append(path)
    return found


def collect(work, log):
    """Fetches and unpacks the package once; returns every distinct wallpaper, by name."""
    work.mkdir(parents=True, exist_ok=True)
    unpacked = _unpack(_fetch_package(work, log), work)
    photos = []
    for path in _wallpapers(unpacked):
        kind = "png" if path.suffix.lower() == ".png" else "jpeg"
        photos.append(Photo(path, kind, _header(path, "width"), _header(path, "height"),
                            path.stat().st_size))
    photos.sort(key=lambda p: _flat_name(p.path))
    return photos


def choose(photos, count):
    """The first `count` photos, alternating JPEG and PNG so a small choice has both."""
    if count is None or count >= len(photos):
        return list(photos)
    jpegs = [p for p in photos if p.kind == "jpeg"]
    pngs = [p for p in photos if p.kind == "png"]
    mixed = []
    for i in range(max(len(jpegs), len(pngs))):
        mixed += jpegs[i:i + 1] + pngs[i:i + 1]
    return mixed[:count]


def make_set(key, photos, root):
    """A folder holding copies of exactly these photos under flat names.

    Copies, not links: a tool that wrote over its input would otherwise spoil the originals."""
    folder = root / key
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    placed = []
    for photo in photos:
        target = folder / (_flat_name(photo.path) if "contents" in photo.path.parts else photo.name)
        shutil.copyfile(photo.path, target)
        placed.append(Photo(target, photo.kind, photo.width, photo.height, photo.size))
    return PhotoSet(key, folder, placed)


def largest(photos):
    return max(photos, key=lambda p: (p.pixels, p.size))


def make_huge(photos, work, log):
    """A JPEG of at least 100 megapixels, enlarged from the largest JPEG wallpaper."""
    target = work / "huge" / "huge-100mp.jpg"
    if not target.exists():
        source = largest([p for p in photos if p.kind == "jpeg"])
        scale = (HUGE_MEGAPIXELS * 1e6 / source.pixels) ** 0.5 * 1.005
        log(f"making a {HUGE_MEGAPIXELS}-megapixel JPEG from {source.path.name}")
        target.parent.mkdir(parents=True, exist_ok=True)
        partial = target.with_name("partial.jpg")
        subprocess.run([VIPS, "resize", str(source.path), f"{partial}[Q=90]", f"{scale:.4f}"],
                       check=True, stderr=subprocess.DEVNULL)
        partial.rename(target)
    return Photo(target, "jpeg", _header(target, "width"), _header(target, "height"),
                 target.stat().st_size)


def describe(photos):
    jpegs = sum(1 for p in photos if p.kind == "jpeg")
    sizes = sorted({f"{p.width}x{p.height}" for p in photos}, key=lambda s: int(s.split("x")[0]))
    megapixels = sum(p.pixels for p in photos) / 1e6
    megabytes = sum(p.size for p in photos) / 1e6
    return (f"{len(photos)} photos ({jpegs} JPEG, {len(photos) - jpegs} PNG), "
            f"{megapixels:.0f} megapixels and {megabytes:.0f} MB in all; sizes {', '.join(sizes)}")


GM = "/usr/bin/gm"
SMALL_COUNT = 10000
TINY_COUNT = 400            # of each format, all 64 x 48
SMALL_FORMATS = ("jpg", "png", "tif", "gif", "bmp")
SMALL_WIDTHS = range(64, 321, 16)   # 4:3, from 64 x 48 to 320 x 240
SOURCE_SIZE = (640, 480)


def _small_plan(sources):
    """(folder, name, width, height, source, left, top) of every small picture, fixed so
    that every machine makes the same set."""
    plan = []
    for i in range(SMALL_COUNT):
        width = SMALL_WIDTHS[(i * 7) % len(SMALL_WIDTHS)]
        plan.append(("small", f"s{i:05d}.{SMALL_FORMATS[i % len(SMALL_FORMATS)]}", width,
                     width * 3 // 4, sources[i % len(sources)], (i * 37) % 640, (i * 53) % 480))
    for fmt in SMALL_FORMATS:
        for i in range(TINY_COUNT):
            plan.append((f"tiny-{fmt}", f"t{i:03d}.{fmt}", 64, 48, sources[i % len(sources)],
                         (i * 37) % 640, (i * 53) % 480))
    return plan


def _gm_batch(commands, folder):
    listing = folder / "commands.txt"
    listing.write_text("".join(commands))
    subprocess.run([GM, "batch", "-stop-on-error", "on", str(listing)], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def make_small(photos, work, log):
    """The small pictures, made once with one GraphicsMagick batch: each a piece of a
    640 x 480 copy of a wallpaper, scaled down to its size (so it looks like a photo,
    not a flat patch), in the five formats. Returns folder name -> [Photo]."""
    root = work / "small"
    stamp = root / ".made"
    if not stamp.exists():
        log(f"making {SMALL_COUNT} small pictures and {TINY_COUNT} of 64 x 48 in each format")
        shutil.rmtree(root, ignore_errors=True)
        root.mkdir(parents=True)
        w, h = SOURCE_SIZE
        sources = [root / f"source{i:02d}.ppm" for i in range(len(photos))]
        _gm_batch([f"convert '{p.path}' -resize {w}x{h}^ -gravity center -extent {w}x{h} "
                   f"+matte -depth 8 -strip 'ppm:{s}'\n" for p, s in zip(photos, sources)], root)
        plan = _small_plan(sources)
        for folder in {entry[0] for entry in plan}:
            (root / folder).mkdir()
        _gm_batch([f"convert '{src}' -crop {2 * pw}x{2 * ph}+{min(x, w - 2 * pw)}+"
                   f"{min(y, h - 2 * ph)} +repage -resize {pw}x{ph}! '{root / folder / name}'\n"
                   for folder, name, pw, ph, src, x, y in plan], root)
        stamp.write_text("")
    made = {}
    for folder, name, pw, ph, _src, _x, _y in _small_plan([None]):
        path = root / folder / name
        made.setdefault(folder, []).append(Photo(path, path.suffix.lstrip("."), pw, ph,
                                                 path.stat().st_size))
    return made
