"""PSNR of each tool's output against references made from the same photo.

- "catrom": ImageMagick's `-filter Catrom -resize`, the yardstick the high-quality
  routines are held to; says how close an output is to it.
- "lanczos" and "vips-lanczos": a near-ideal Lanczos-3 low-pass made by ImageMagick and
  by libvips, taken as the truth. The Catrom reference is scored against them too, so a
  routine's shortfall below Catrom's own score reads in dB. Each library's truth favours
  outputs of the same library (same windows, same rounding) by a few dB, so both are
  kept: the fair figure lies between them.

Each output is scored against references of its own size (a tool that rounds a side
differently is not punished for that pixel), written losslessly (PNG) once and kept.
Outputs are compared as the tool wrote them, so JPEG outputs carry their encoder's
loss; PNG photos give PNG outputs, which isolates the scaling itself.
"""
import re
import statistics
import subprocess
from dataclasses import dataclass, field

CONVERT = "/usr/bin/convert-im6.q16"
COMPARE = "/usr/bin/compare-im6.q16"
IDENTIFY = "/usr/bin/identify-im6.q16"
IDENTICAL_DB = 99.0     # what "inf" (identical pictures) is counted as
VIPS = "/usr/bin/vips"
REFERENCES = ("catrom", "lanczos", "vips-lanczos")


@dataclass
class Quality:
    values: dict = field(default_factory=lambda: {name: [] for name in REFERENCES})
    mismatched: int = 0     # outputs missing or of another size than the reference

    def mean(self, against, kind=None):
        chosen = [db for k, db in self.values[against] if kind in (None, k)]
        return statistics.fmean(chosen) if chosen else None

    def lowest(self, against):
        return min((db for _, db in self.values[against]), default=None)

    @property
    def compared(self):
        return len(self.values["catrom"])


def _scale_command(photo, against, geometry, target):
    if against == "vips-lanczos":
        width, height = (int(v) for v in geometry.rstrip("!").split("x"))
        return [VIPS, "resize", str(photo.path), str(target), repr(width / photo.width),
                "--vscale", repr(height / photo.height), "--kernel", "lanczos3"]
    name = {"catrom": "Catrom", "lanczos": "Lanczos"}[against]
    return [CONVERT, str(photo.path), "-filter", name, "-resize", geometry, str(target)]


def reference(photo, against, geometry, folder):
    """One reference picture of one photo, made once and kept between invocations.
    The libvips truth is only made for an exact size ("WxH!")."""
    folder = folder / against
    folder.mkdir(parents=True, exist_ok=True)
    target = folder / f"{photo.stem}-{geometry.replace('%', 'pc').replace('!', '')}.png"
    if not target.exists():
        partial = folder / f"partial-{target.name}"
        made = subprocess.run(_scale_command(photo, against, geometry, partial),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if made.returncode != 0 or not partial.exists():
            return None
        partial.rename(target)
    return target


def size(picture):
    done = subprocess.run([IDENTIFY, "-ping", "-format", "%w %h", f"{picture}[0]"],
                          capture_output=True, text=True)
    found = re.fullmatch(r"(\d+) (\d+)", done.stdout.strip())
    return (int(found.group(1)), int(found.group(2))) if found else None


def psnr(picture, ref):
    """PSNR in dB, or None when the two cannot be compared."""
    done = subprocess.run([COMPARE, "-metric", "PSNR", str(picture), str(ref), "null:"],
                          capture_output=True, text=True)
    # compare exits 1 when the pictures differ, which is the ordinary case here.
    if done.returncode > 1:
        return None
    found = re.match(r"\s*(inf|[0-9.]+)", done.stderr)
    if not found:
        return None
    return IDENTICAL_DB if found.group(1) == "inf" else float(found.group(1))


def score(photo, picture, geometry, folder):
    """{reference name: dB} for one picture, or None when it is missing or unreadable.

    The sizes are made equal first: given pictures of two sizes, compare would search
    one inside the other instead of comparing them."""
    measured = size(picture) if picture and picture.exists() else None
    if measured is None:
        return None
    exact = f"{measured[0]}x{measured[1]}!"
    scores = {}
    for name in REFERENCES:
        ref = reference(photo, name, exact, folder)
        scores[name] = psnr(picture, ref) if ref else None
    return None if None in scores.values() else scores


def measure(photos, out_folder, out_name, geometry, folder):
    """Scores a tool's outputs; with no output folder, scores the Catrom reference itself."""
    quality = Quality()
    for photo in photos:
        if out_folder is None:
            picture = reference(photo, "catrom", geometry, folder)
        else:
            picture = out_folder / out_name(photo)
        scores = score(photo, picture, geometry, folder)
        if scores is None:
            quality.mismatched += 1
            continue
        for name, value in scores.items():
            quality.values[name].append((photo.kind, value))
    return quality


def against_source(photos, out_folder, out_name, scratch):
    """Mean PSNR of a tool's outputs against the photos they were made from, each output
    read with its alpha band dropped (a GIF's spare transparent entry makes one appear)."""
    scratch.mkdir(parents=True, exist_ok=True)
    found = []
    for photo in photos:
        picture = out_folder / out_name(photo)
        flat = scratch / f"{photo.stem}.png"
        made = subprocess.run([CONVERT, f"{picture}[0]", "-alpha", "off", str(flat)],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        value = psnr(flat, photo.path) if made.returncode == 0 and flat.exists() else None
        if value is not None:
            found.append(value)
    return (statistics.fmean(found), len(found)) if found else (None, 0)
