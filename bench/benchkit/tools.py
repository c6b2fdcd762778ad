"""How each compared tool is asked to do one whole batch.

A row builds one command line for a batch: a single process where the tool takes a
whole batch (mogrify, vipsthumbnail, quillane-batch), or a shell script that runs the
tool once per file, one after another, where it has no batch form (vips, djpeg).
Every command runs in the photo folder and names the photos relatively.
"""
import os
import shlex
from dataclasses import dataclass, field
from typing import Callable, Optional

MOGRIFY = "/usr/bin/mogrify-im6.q16"
GM = "/usr/bin/gm"
VIPS = "/usr/bin/vips"
VIPSTHUMBNAIL = "/usr/bin/vipsthumbnail"
DJPEG = "/usr/bin/djpeg"
JPEG_QUALITY = "75"     # libvips' default, so every tool writes comparable JPEGs


@dataclass
class Context:
    photo_set: object       # photos.PhotoSet
    out: object             # output folder (Path), empty before each run
    scripts: object         # folder for generated per-file scripts (Path)
    quillane: Optional[str]  # quillane-batch binary, None when it could not be built
    quillane_extra: list = field(default_factory=list)

    @property
    def names(self):
        return [p.name for p in self.photo_set.photos]


@dataclass
class Row:
    tool: str
    build: Callable          # Context -> argv, or None when the tool cannot run
    quillane: bool = False
    writes_files: bool = True
    out_name: Optional[Callable] = None   # Photo -> name of its output, for quality checks


def _same_name(photo):
    return photo.name


def _script(ctx, label, lines):
    path = ctx.scripts / f"{ctx.photo_set.key}-{label}.sh"
    path.write_text("status=0\n" + "".join(f"{line} || status=1\n" for line in lines)
                    + "exit $status\n")
    return ["/bin/sh", str(path)]


def quillane(label, job_args, affix="_s"):
    def build(ctx):
        if ctx.quillane is None:
            return None
        return ([ctx.quillane] + job_args + ["--out", str(ctx.out), "--yes", "--overwrite", "yes"]
                + ctx.quillane_extra + [str(ctx.photo_set.folder)])
    return Row(label, build, quillane=True,
               out_name=lambda p: f"{p.stem}{affix}{p.suffix}")


def imagemagick(label, args, fmt=None, hint=None):
    def build(ctx):
        argv = [MOGRIFY, "-path", str(ctx.out)]
        if hint:
            argv += ["-define", f"jpeg:size={hint}"]
        argv += args + ["-quality", JPEG_QUALITY]
        if fmt:
            argv += ["-format", fmt]
        return argv + ctx.names
    return Row(label, build, out_name=_renamed(fmt))


def graphicsmagick(label, args, fmt=None, hint=None):
    def build(ctx):
        argv = [GM, "mogrify", "-output-directory", str(ctx.out)]
        if hint:
            argv += ["-size", hint]
        argv += args + ["-quality", JPEG_QUALITY]
        if fmt:
            argv += ["-format", fmt]
        return argv + ctx.names
    return Row(label, build, out_name=_renamed(fmt))


def _renamed(fmt):
    if fmt is None:
        return _same_name
    return lambda p: f"{p.stem}.{fmt}"


def vipsthumbnail(label, args, fmt=None):
    """One batch per output format: vipsthumbnail names its outputs by a fixed pattern."""
    def build(ctx):
        groups = {}
        for photo in ctx.photo_set.photos:
            groups.setdefault(fmt or photo.suffix.lstrip("."), []).append(photo.name)
        lines = []
        for ext, names in groups.items():
            pattern = f"{ctx.out}/%s.{ext}" + (f"[Q={JPEG_QUALITY}]" if ext == "jpg" else "")
            lines.append(shlex.join([VIPSTHUMBNAIL] + args + ["-o", pattern] + names))
        return _script(ctx, "vipsthumbnail-" + "-".join(args).replace("/", ""), lines)
    return Row(label, build, out_name=_renamed(fmt))


def vips_per_file(label, operation, args, fmt=None):
    """`vips OPERATION in out ARGS` for each photo, one process after another."""
    def build(ctx):
        lines = []
        for photo in ctx.photo_set.photos:
            target = f"{photo.stem}.{fmt}" if fmt else photo.name
            if target.endswith(".jpg"):
                target += f"[Q={JPEG_QUALITY}]"
            lines.append(shlex.join([VIPS, operation, photo.name, f"{ctx.out}/{target}"] + args))
        return _script(ctx, f"vips-{operation}-{fmt or 'same'}", lines)
    return Row(label, build, out_name=_renamed(fmt))


def _every_core_script(ctx, label, lines):
    """The per-file commands run as many at a time as there are cores (xargs -P)."""
    commands = ctx.scripts / f"{ctx.photo_set.key}-{label}.lines"
    commands.write_text("".join(line + "\n" for line in lines))
    cores = str(os.cpu_count() or 1)
    path = ctx.scripts / f"{ctx.photo_set.key}-{label}.sh"
    path.write_text(f"xargs -d '\\n' -P {cores} -n 1 sh -c < {shlex.quote(str(commands))}\n")
    return ["/bin/sh", str(path)]


def vips_copy_every_core(label, fmt, saver_options):
    """`vips copy in out.FMT[OPTIONS]` per photo, one process per core at a time."""
    def build(ctx):
        lines = [shlex.join([VIPS, "copy", photo.name, f"{ctx.out}/{photo.stem}.{fmt}[{saver_options}]"])
                 for photo in ctx.photo_set.photos]
        return _every_core_script(ctx, f"vips-copy-{fmt}-cores", lines)
    return Row(label, build, out_name=_renamed(fmt))


def imagemagick_every_core(label, fmt, args):
    """`mogrify ARGS -format FMT` per photo, one process per core at a time."""
    def build(ctx):
        lines = [shlex.join([MOGRIFY, "-path", str(ctx.out)] + args + ["-format", fmt, photo.name])
                 for photo in ctx.photo_set.photos]
        return _every_core_script(ctx, f"mogrify-{fmt}-cores", lines)
    return Row(label, build, out_name=_renamed(fmt))


def djpeg(label, args):
    """The decoder alone, one process per JPEG, output thrown away."""
    def build(ctx):
        lines = [shlex.join([DJPEG] + args + ["-outfile", "/dev/null", photo.name])
                 for photo in ctx.photo_set.photos]
        return _script(ctx, "djpeg" + "".join(args).replace("/", "-"), lines)
    return Row(label, build, writes_files=False)
