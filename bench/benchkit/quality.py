"""PSNR of each tool's output against two references made by ImageMagick from the photo.

- "catrom": `-filter Catrom -resize`, the yardstick the high-quality routines are held to;
  this says how close an output is to it.
- "lanczos": `-filter Lanczos -resize`, a near-ideal low-pass taken as the truth; the
  Catrom reference is scored against it too, so a routine's shortfall below Catrom's
  own score can be read in dB.

References are written losslessly (PNG), once per photo, and kept. Outputs are compared
as the tool wrote them, so JPEG outputs carry their encoder's loss; PNG photos give PNG
outputs, which isolates the scaling itself.
"""
import re
import statistics
import subprocess
from dataclasses import dataclass, field

CONVERT = "/usr/bin/convert-im6.q16"
COMPARE = "/usr/bin/compare-im6.q16"
IDENTICAL_DB = 99.0     # what "inf" (identical pictures) is counted as
REFERENCES = {"catrom": "Catrom", "lanczos": "Lanczos"}


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


def reference(photo, against, geometry, folder):
    """One reference picture of one photo, made once and kept between invocations."""
    folder = folder / against
    folder.mkdir(parents=True, exist_ok=True)
    target = folder / f"{photo.stem}.png"
    if not target.exists():
        partial = folder / f"partial-{photo.stem}.png"
        made = subprocess.run([CONVERT, str(photo.path), "-filter", REFERENCES[against],
                               "-resize", geometry, str(partial)],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if made.returncode != 0:
            return None
        partial.rename(target)
    return target


def references(photos, geometry, folder):
    """{photo name: {reference name: path}}"""
    return {p.name: {name: reference(p, name, geometry, folder) for name in REFERENCES}
            for p in photos}


def psnr(picture, ref):
    """PSNR in dB, or None when the two cannot be compared (e.g. different sizes)."""
    if not (picture and ref and picture.exists()):
        return None
    done = subprocess.run([COMPARE, "-metric", "PSNR", str(picture), str(ref), "null:"],
                          capture_output=True, text=True)
    # compare exits 1 when the pictures differ, which is the ordinary case here.
    if done.returncode > 1:
        return None
    found = re.match(r"\s*(inf|[0-9.]+)", done.stderr)
    if not found:
        return None
    return IDENTICAL_DB if found.group(1) == "inf" else float(found.group(1))


def measure(photos, out_folder, out_name, refs):
    quality = Quality()
    for photo in photos:
        picture = out_folder / out_name(photo) if out_folder else refs[photo.name]["catrom"]
        scores = {name: psnr(picture, refs[photo.name][name]) for name in REFERENCES}
        if None in scores.values():
            quality.mismatched += 1
            continue
        for name, value in scores.items():
            quality.values[name].append((photo.kind, value))
    return quality
