"""Reads the performance targets off the measured table: met, missed (by how much) or n/a."""

from .report import quillane_outcome


def _find(results, key, tool):
    for row, outcome in results.get(key, []):
        if row.tool == tool and outcome.ok:
            return outcome
    return None


def _verdict(value, limit, text, smaller_is_better=True):
    if value is None:
        return f"n/a  {text}"
    met = value <= limit if smaller_is_better else value >= limit
    word = "met   " if met else "MISSED"
    return f"{word} {text}: {value:.2f} (target {'<=' if smaller_is_better else '>='} {limit:.2f})"


def _ratio(numerator, denominator, attribute):
    if numerator is None or denominator is None:
        return None
    bottom = getattr(denominator, attribute)
    return getattr(numerator, attribute) / bottom if bottom else None


def _fastest_other(rows):
    """Over the one-process rows and the rows given every core alike."""
    others = [(outcome.wall, row.tool) for row, outcome in rows if not row.quillane and outcome.ok]
    return min(others) if others else None


def _fastest_parallel(rows):
    found = [(outcome.wall, row.tool, outcome, row.workers) for row, outcome in rows
             if not row.quillane and row.workers > 1 and outcome.ok]
    return min(found, key=lambda f: f[0]) if found else None


def _memory_lines(results):
    """Quillane may hold as much as the fastest parallel peer does over all its workers,
    with half again in hand."""
    lines = []
    for key, rows in results.items():
        q = quillane_outcome(rows)
        fastest = _fastest_parallel(rows)
        if q and fastest and key not in ("1c", "1d", "1e"):
            _wall, tool, outcome, workers = fastest
            lines.append(_verdict(q.peak_mb / (outcome.peak_mb * workers), 1.5,
                                  f"{key} peak memory, Quillane / ({tool} per process x "
                                  f"{workers})"))
    q = quillane_outcome(results.get("4e", []))
    lines.append(_verdict(q.peak_mb if q else None, 300.0, "4e peak memory MB, JPEG to GIF"))
    return lines


def _small_lines(results, counts):
    """Many small pictures: two workers nearly twice as fast as one, and a 64 x 48
    picture of every format in under 2 ms."""
    two, one = _find(results, "7", "Quillane --jobs 2"), _find(results, "7", "Quillane --jobs 1")
    lines = [_verdict(_ratio(one, two, "wall"), 1.8,
                      "7 files per second, --jobs 2 / --jobs 1", smaller_is_better=False)]
    for key in sorted(k for k in results if k.startswith("7") and k != "7"):
        q = quillane_outcome(results[key])
        lines.append(_verdict(q.wall * 1000 / counts[key] if q else None, 2.0,
                              f"{key} ms a 64 x 48 file, --jobs 2"))
    return lines


def check(results, quality, catrom_row, counts, to_source):
    lines = []
    for key in ("1a", "1b"):
        q = quillane_outcome(results.get(key, []))
        lines.append(_verdict(_ratio(q, _find(results, key, "vipsthumbnail"), "wall"), 0.6,
                              f"{key} wall, Quillane / vipsthumbnail"))
    q = quillane_outcome(results.get("1c", []))
    lines.append(_verdict(_ratio(q, _find(results, "1c", "djpeg -scale 1/8"), "cpu"), 1.15,
                          "1c CPU, Quillane / djpeg -scale 1/8 floor"))
    q = quillane_outcome(results.get("2", []))
    lines.append(_verdict(_ratio(q, _find(results, "2", "vips resize cubic, per file"), "wall"),
                          0.6, "2 wall, Quillane / vips resize cubic"))
    lines.append(_verdict(_ratio(_find(results, "2", "ImageMagick"), q, "wall"), 3.0,
                          "2 wall, ImageMagick / Quillane", smaller_is_better=False))
    for key, rows in results.items():
        q = quillane_outcome(rows)
        fastest = _fastest_other(rows)
        if fastest and key not in ("1c", "1d", "1e"):
            lines.append(_verdict(q.wall / fastest[0] if q else None, 0.8,
                                  f"{key} wall, Quillane / fastest other ({fastest[1]})"))
    q = quillane_outcome(results.get("1d", []))
    lines.append(_verdict(_ratio(q, _find(results, "1d", "vipsthumbnail"), "peak_mb"), 1.5,
                          "1d peak memory, Quillane / vipsthumbnail, largest photo"))
    q = quillane_outcome(results.get("1e", []))
    lines.append(_verdict(q.peak_mb if q else None, 200.0, "1e peak memory MB, 100-MP JPEG"))
    lines += _memory_lines(results)
    lines += _small_lines(results, counts)
    lines += _quality_lines(quality, catrom_row)
    lines += _gif_quality_lines(to_source)
    return "\n".join(lines)


def _shortfall(scored, tool, catrom_row, truth):
    if tool not in scored or catrom_row not in scored:
        return None
    mine, theirs = scored[tool].mean(truth, "png"), scored[catrom_row].mean(truth, "png")
    return None if mine is None or theirs is None else theirs - mine


def _quality_lines(quality, catrom_row):
    """A routine's PSNR to a Lanczos truth may fall short of what ImageMagick's Catrom
    resize scores by the margin only. Judged on the PNG photos, whose outputs are
    lossless, so only the scaling is compared. Each library's truth favours its own
    library by a few dB, so the shortfall is the mean of the two, which cancels that."""
    lines = []
    checks = [("2", "Quillane", 0.5),
              ("1a", "Quillane", 3.0), ("1b", "Quillane", 3.0),
              ("1a", "Quillane (high quality)", 0.5), ("1b", "Quillane (high quality)", 0.5)]
    for key, tool, margin in checks:
        scored = quality.get(key, {})
        by_im = _shortfall(scored, tool, catrom_row, "lanczos")
        by_vips = _shortfall(scored, tool, catrom_row, "vips-lanczos")
        if by_im is None or by_vips is None:
            lines.append(f"n/a  {key} PSNR of {tool} (not measured, or no PNG photos)")
            continue
        lines.append(_verdict((by_im + by_vips) / 2, margin,
                              f"{key} PSNR of {tool} below ImageMagick Catrom, dB, mean over "
                              f"the two Lanczos truths (ImageMagick's {by_im:+.2f}, "
                              f"libvips' {by_vips:+.2f})"))
    return lines


def _gif_quality_lines(to_source):
    """Quillane's GIF at least as close to its photo as GraphicsMagick's GIF of it."""
    scored = to_source.get("4e", {})
    ours, theirs = scored.get("Quillane", (None, 0))[0], scored.get("GraphicsMagick", (None, 0))[0]
    value = ours - theirs if ours is not None and theirs is not None else None
    return [_verdict(value, 0.0, "4e GIF PSNR to the photo, Quillane - GraphicsMagick, dB",
                     smaller_is_better=False)]
