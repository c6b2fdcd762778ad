"""Installs the tools the benchmark compares against and builds the release binary."""
import os
import subprocess
import sys
from pathlib import Path

# Debian package -> a file it provides; the benchmark calls these by absolute path
# so that nothing earlier on PATH can stand in for the real tool.
PACKAGES = {
    "imagemagick": "/usr/bin/convert-im6.q16",
    "graphicsmagick": "/usr/bin/gm",
    "libvips-tools": "/usr/bin/vipsthumbnail",
    "libjpeg-turbo-progs": "/usr/bin/djpeg",
    "time": "/usr/bin/time",
    "fonts-noto-cjk": "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
}

APT = ["apt-get", "-o", "DPkg::Lock::Timeout=300"]


def _as_root(argv):
    return argv if os.geteuid() == 0 else ["sudo"] + argv


def ensure_packages(log):
    missing = [pkg for pkg, probe in PACKAGES.items() if not Path(probe).exists()]
    if not missing:
        return True
    log(f"installing {' '.join(missing)}")
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    try:
        subprocess.run(_as_root(APT + ["update", "-qq"]), check=True, env=env)
        subprocess.run(_as_root(APT + ["install", "-y", "-qq", "--no-install-recommends"] + missing),
                       check=True, env=env)
    except (subprocess.CalledProcessError, FileNotFoundError) as err:
        log(f"package installation failed: {err}")
        return False
    return all(Path(PACKAGES[pkg]).exists() for pkg in missing)


def _build(root, steps, build_log):
    with open(build_log, "a") as out:
        for step in steps:
            if subprocess.run(step, cwd=root, stdout=out, stderr=subprocess.STDOUT).returncode != 0:
                return False
    return True


def build_release(root, log):
    """Builds quillane-batch with the release preset; returns its path or None.

    Should the preset fail only because warnings are errors (a newer or older compiler
    warns differently), the same release is built without that rule in a folder of its
    own, so the figures are still taken on an optimised binary."""
    jobs = str(min(2, os.cpu_count() or 1))
    build_log = root / "build" / "bench" / "release-build.log"
    build_log.parent.mkdir(parents=True, exist_ok=True)
    build_log.write_text("")
    preset = [["cmake", "--preset", "release"],
              ["cmake", "--build", "--preset", "release", "--target", "quillane-batch", "-j", jobs]]
    if _build(root, preset, build_log):
        return root / "build" / "release" / "src" / "cli" / "quillane-batch"
    folder = root / "build" / "bench" / "release-no-werror"
    log(f"release preset failed (see {build_log}); building {folder} without -Werror")
    fallback = [["cmake", "-S", str(root), "-B", str(folder), "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=Release", "-DQUILLANE_WERROR=OFF"],
                ["cmake", "--build", str(folder), "--target", "quillane-batch", "-j", jobs]]
    if _build(root, fallback, build_log):
        return folder / "src" / "cli" / "quillane-batch"
    log(f"no quillane-batch could be built (see {build_log}): its rows will read n/a")
    return None


def say(message):
    print(f"bench: {message}", file=sys.stderr, flush=True)
