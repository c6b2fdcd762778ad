"""How each compared tool is asked to do one whole batch.

A row builds one command line for a batch: a single process where the tool takes a
whole batch (mogrify, vipsthumbnail, quillane-batch), or a shell script that runs the
tool once per file, one after another, where it has no batch form (vips, djpeg).
Every command runs in the photo folder and names the photos relatively.

`parallel(row, workers)` is the same tool the way users who care about speed run it:
the photos split into chunks, `xargs -P WORKERS` running the chunks side by side.
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
    # (Context, photo names) -> shell command lines doing the part of the batch for them
    lines: Optional[Callable] = None
    workers: int = 1


def _same_name(photo):
    return photo.name


def _script(ctx, label, lines):
    path = ctx.scripts / f"{ctx.photo_set.key}-{label}.sh"
    path.write_text("status=0\n" + "".join(f"{line} || status=1\n" for line in lines)
                    + "exit $status\n")
    return ["/bin/sh", str(path)]


def quillane(label, job_args, affix="_s", fmt=None):
    def build(ctx):
        if ctx.quillane is None:
            return None
        return ([ctx.quillane] + job_args + ["--out", str(ctx.out), "--yes", "--overwrite", "yes"]
                + ctx.quillane_extra + [str(ctx.photo_set.folder)])
    return Row(label, build, quillane=True,
               out_name=lambda p: f"{p.stem}{affix}{'.' + fmt if fmt else p.suffix}")


def _batch_row(label, argv_for, fmt):
    """A tool that takes a whole batch in one process."""
    return Row(label, lambda ctx: argv_for(ctx, ctx.names), out_name=_renamed(fmt),
               lines=lambda ctx, names: [shlex.join(argv_for(ctx, names))])


def imagemagick(label, args, fmt=None, hint=None):
    def argv_for(ctx, names):
        argv = [MOGRIFY, "-path", str(ctx.out)]
        if hint:
            argv += ["-define", f"jpeg:size={hint}"]
        argv += args + ["-quality", JPEG_QUALITY]
        if fmt:
            argv += ["-format", fmt]
        return argv + names
    return _batch_row(label, argv_for, fmt)


def graphicsmagick(label, args, fmt=None, hint=None):
    def argv_for(ctx, names):
        argv = [GM, "mogrify", "-output-directory", str(ctx.out)]
        if hint:
            argv += ["-size", hint]
        argv += args + ["-quality", JPEG_QUALITY]
        if fmt:
            argv += ["-format", fmt]
        return argv + names
    return _batch_row(label, argv_for, fmt)


def _renamed(fmt):
    if fmt is None:
        return _same_name
    return lambda p: f"{p.stem}.{fmt}"


def vipsthumbnail(label, args, fmt=None):
    """One batch per output format: vipsthumbnail names its outputs by a fixed pattern."""
    def lines(ctx, names):
        groups = {}
        for name in names:
            groups.setdefault(fmt or name.rsplit(".", 1)[-1], []).append(name)
        made = []
        for ext, group in groups.items():
            pattern = f"{ctx.out}/%s.{ext}" + (f"[Q={JPEG_QUALITY}]" if ext == "jpg" else "")
            made.append(shlex.join([VIPSTHUMBNAIL] + args + ["-o", pattern] + group))
        return made
    script = "vipsthumbnail-" + "-".join(args).replace("/", "")
    return Row(label, lambda ctx: _script(ctx, script, lines(ctx, ctx.names)),
               out_name=_renamed(fmt), lines=lines)


def vips_per_file(label, operation, args, fmt=None):
    """`vips OPERATION in out ARGS` for each photo, one process after another."""
    def lines(ctx, names):
        made = []
        for name in names:
            target = f"{name.rsplit('.', 1)[0]}.{fmt}" if fmt else name
            if target.endswith(".jpg"):
                target += f"[Q={JPEG_QUALITY}]"
            made.append(shlex.join([VIPS, operation, name, f"{ctx.out}/{target}"] + args))
        return made
    script = f"vips-{operation}-{fmt or 'same'}"
    return Row(label, lambda ctx: _script(ctx, script, lines(ctx, ctx.names)),
               out_name=_renamed(fmt), lines=lines)


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
    def lines(ctx, names):
        return [shlex.join([DJPEG] + args + ["-outfile", "/dev/null", name]) for name in names]
    script = "djpeg" + "".join(args).replace("/", "-")
    return Row(label, lambda ctx: _script(ctx, script, lines(ctx, ctx.names)),
               writes_files=False, lines=lines)


CHUNKS_PER_WORKER = 8   # enough chunks that a worker given the big photos does not hold up the end


def _chunks(names, count):
    size = max(1, -(-len(names) // count))
    return [names[i:i + size] for i in range(0, len(names), size)]


def parallel(row, workers):
    """The row's tool given `workers` processes at once: the photos in order, cut into
    chunks, each chunk one shell command that `xargs -P` starts as a worker comes free."""
    def build(ctx):
        items = []
        for chunk in _chunks(ctx.names, workers * CHUNKS_PER_WORKER):
            items.append("status=0\n" + "".join(f"{line} || status=1\n"
                                                  for line in row.lines(ctx, chunk))
                         + "exit $status\n")
        label = slug_of(row.tool)
        listing = ctx.scripts / f"{ctx.photo_set.key}-{label}-x{workers}.items"
        listing.write_text("\0".join(items) + "\0")
        return ["/bin/sh", "-c", f"/usr/bin/xargs -0 -n 1 -P {workers} /bin/sh -c "
                f"< {shlex.quote(str(listing))}"]
    return Row(f"{row.tool}, {workers} in parallel", build, writes_files=row.writes_files,
               out_name=row.out_name, workers=workers)


def slug_of(text):
    return "".join(c if c.isalnum() else "-" for c in text.lower()).strip("-")


def with_parallel(rows, workers=None):
    """Every other tool's row followed by the same tool run in parallel on every core."""
    workers = workers or os.cpu_count() or 1
    made = []
    for row in rows:
        made.append(row)
        if not row.quillane and row.lines and workers > 1:
            made.append(parallel(row, workers))
    return made
