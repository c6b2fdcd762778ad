"""The benchmark's tables, as Markdown (readable in a terminal and in the README)."""


def _seconds(value):
    return f"{value:.2f}" if value < 100 else f"{value:.0f}"


def _ratio(value, reference):
    return f"{value / reference:.2f}" if reference else "n/a"


def quillane_outcome(rows):
    """The first Quillane row of a case that ran: the one the others are compared with."""
    for row, outcome in rows:
        if row.quillane and outcome.ok:
            return outcome
    return None


def timing_table(cases, results, photo_counts):
    lines = ["| Task | Tool | Wall s | CPU s | Images/s | Wall / Quillane | CPU / Quillane "
             "| Peak MB | Note |",
             "|---|---|---:|---:|---:|---:|---:|---:|---|"]
    for case in cases:
        rows = results[case.key]
        ref = quillane_outcome(rows)
        count = photo_counts[case.key]
        lines.append(f"| **{case.key}** | **{case.title}** ({count} photo{'s' if count != 1 else ''}) | | | | | | | |")
        for row, outcome in rows:
            lines.append(_timing_line(case, row, outcome, ref, count))
    return "\n".join(lines)


def _timing_line(case, row, outcome, ref, count):
    if not outcome.ok:
        return f"| {case.key} | {row.tool} | n/a | n/a | n/a | n/a | n/a | n/a | {outcome.note} |"
    rate = f"{count / outcome.wall:.1f}" if outcome.wall > 0 else "-"
    wall_ratio = _ratio(outcome.wall, ref.wall if ref else None)
    cpu_ratio = _ratio(outcome.cpu, ref.cpu if ref else None)
    return (f"| {case.key} | {row.tool} | {_seconds(outcome.wall)} | {_seconds(outcome.cpu)} "
            f"| {rate} | {wall_ratio} | {cpu_ratio} | {outcome.peak_mb:.0f} | {outcome.note} |")


def _db(value):
    return "-" if value is None else f"{value:.2f}"


def quality_table(cases, quality):
    lines = ["| Task | Tool | Compared | PSNR to Catrom dB | same, PNG photos "
             "| PSNR to IM Lanczos, PNG photos | PSNR to vips Lanczos, PNG photos "
             "| Lowest to Catrom | Not comparable |",
             "|---|---|---:|---:|---:|---:|---:|---:|---:|"]
    for case in cases:
        for tool, q in quality.get(case.key, {}).items():
            lines.append(f"| {case.key} | {tool} | {q.compared} "
                         f"| {_db(q.mean('catrom'))} | {_db(q.mean('catrom', 'png'))} "
                         f"| {_db(q.mean('lanczos', 'png'))} "
                         f"| {_db(q.mean('vips-lanczos', 'png'))} "
                         f"| {_db(q.lowest('catrom'))} | {q.mismatched} |")
    return "\n".join(lines)


def source_psnr_table(found):
    lines = ["| Task | Tool | Outputs compared | PSNR to the photo dB |", "|---|---|---:|---:|"]
    for key, tools in found.items():
        for tool, (db, compared) in tools.items():
            lines.append(f"| {key} | {tool} | {compared} | {_db(db)} |")
    return "\n".join(lines)
