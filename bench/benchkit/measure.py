"""Runs one command under /usr/bin/time -v and keeps what the table needs."""
import re
import shutil
import statistics
import subprocess
import time
from dataclasses import dataclass, field
from pathlib import Path

TIME = "/usr/bin/time"
NOT_AVAILABLE = 2   # quillane-batch's status for arguments it does not know


@dataclass
class Run:
    wall: float
    cpu: float
    max_rss_kb: int
    status: int
    outputs: int


@dataclass
class Outcome:
    """Every run of one row of one case."""
    runs: list = field(default_factory=list)
    note: str = ""
    available: bool = True

    @property
    def ok(self):
        return self.available and bool(self.runs)

    @property
    def wall(self):
        return statistics.median(r.wall for r in self.runs)

    @property
    def cpu(self):
        return statistics.median(r.cpu for r in self.runs)

    @property
    def peak_mb(self):
        return max(r.max_rss_kb for r in self.runs) / 1024


def _parse_time(report):
    text = report.read_text(errors="replace") if report.exists() else ""

    def number(label, default=0.0):
        found = re.search(rf"{re.escape(label)}: ([0-9.]+)", text)
        return float(found.group(1)) if found else default

    signal = re.search(r"Command terminated by signal (\d+)", text)
    status = -int(signal.group(1)) if signal else int(number("Exit status", -1))
    cpu = number("User time (seconds)") + number("System time (seconds)")
    return cpu, int(number("Maximum resident set size (kbytes)")), status


def _count_files(folder):
    return sum(1 for p in Path(folder).rglob("*") if p.is_file())


# A folder of this many files or more is set aside rather than deleted before a run.
MANY_FILES = 1000


def _trash_of(folder):
    return folder.parent.parent / "trash"


def fresh_folder(folder):
    """An empty folder. One of thousands of files is moved aside, not deleted: making a
    file, ext4 without a journal (as on this machine) passes over every inode freed in the
    last 30 s, so thousands of files deleted just before would slow the timed run down
    (2,000 small pictures: a third more system time). The trash goes with empty_trash()."""
    if folder.is_dir() and _count_files(folder) >= MANY_FILES:
        trash = _trash_of(folder)
        trash.mkdir(parents=True, exist_ok=True)
        folder.rename(trash / f"{folder.parent.name}-{folder.name}-{time.monotonic_ns()}")
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)


def empty_trash(out_root):
    """Deletes what fresh_folder() set aside under `out_root` (the folder of the cases)."""
    shutil.rmtree(out_root / "trash", ignore_errors=True)


def run_once(argv, cwd, out, logs):
    """One timed run; `out` is emptied first, `logs` gets the command's own output."""
    fresh_folder(out)
    logs.mkdir(parents=True, exist_ok=True)
    report = logs / "time.txt"
    report.unlink(missing_ok=True)
    with open(logs / "stdout.txt", "wb") as stdout, open(logs / "stderr.txt", "wb") as stderr:
        start = time.perf_counter()
        subprocess.run([TIME, "-v", "-o", str(report)] + argv, cwd=cwd,
                       stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr)
        wall = time.perf_counter() - start
    cpu, rss, status = _parse_time(report)
    return Run(wall, cpu, rss, status, _count_files(out))


def record(outcome, run, row, expected):
    """Adds a run to the outcome; says whether the row should be run again."""
    if row.quillane and run.status == NOT_AVAILABLE:
        outcome.available = False
        outcome.note = "n/a: not in this quillane-batch (exit 2)"
        return False
    if run.status != 0 and not row.quillane:
        outcome.available = False
        outcome.note = f"failed (exit {run.status})"
        return False
    outcome.runs.append(run)
    notes = []
    if run.status != 0:
        notes.append(f"exit {run.status}")
    if row.writes_files and run.outputs != expected:
        notes.append(f"{run.outputs} of {expected} files written")
    outcome.note = "; ".join(notes)
    return True
