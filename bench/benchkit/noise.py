"""How much of the machine other work took while the benchmark ran.

The machine's busy CPU time (/proc/stat) less what the benchmark and its children used:
what is left belongs to other processes, and figures taken beside it are noisy."""
import os
import resource


def _busy_seconds():
    with open("/proc/stat") as stat:
        fields = [int(v) for v in stat.readline().split()[1:]]
    user, nice, system, _idle, _iowait, irq, softirq, steal = (fields + [0] * 8)[:8]
    return (user + nice + system + irq + softirq + steal) / os.sysconf("SC_CLK_TCK")


def _own_seconds():
    total = 0.0
    for who in (resource.RUSAGE_SELF, resource.RUSAGE_CHILDREN):
        usage = resource.getrusage(who)
        total += usage.ru_utime + usage.ru_stime
    return total


class Meter:
    def __init__(self):
        self._busy = _busy_seconds()
        self._own = _own_seconds()
        self._wall = os.times().elapsed

    def report(self):
        other = max(0.0, (_busy_seconds() - self._busy) - (_own_seconds() - self._own))
        wall = os.times().elapsed - self._wall
        share = other / (wall * (os.cpu_count() or 1)) if wall > 0 else 0.0
        verdict = "quiet" if share < 0.05 else "busy: the figures are noisy"
        return (f"other processes used {other:.0f} CPU-seconds in {wall:.0f} s "
                f"({share:.0%} of the machine; {verdict})")
