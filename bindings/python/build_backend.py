"""A minimal PEP 517 backend for this pure-Python package, so that it installs offline."""

from __future__ import annotations

import base64
import hashlib
import io
import re
import tarfile
import zipfile
from pathlib import Path

_ROOT = Path(__file__).resolve().parent
_NAME = "quorvex"


def _version() -> str:
    """The project's version: from CMakeLists.txt in the source tree, or an sdist's PKG-INFO."""
    cmake = _ROOT.parent.parent / "CMakeLists.txt"
    if cmake.is_file():
        found = re.search(r"project\(Quorvex VERSION ([0-9.]+)", cmake.read_text(encoding="utf-8"))
        if found:
            return found.group(1)
    info = _ROOT / "PKG-INFO"
    if info.is_file():
        found = re.search(r"^Version: (\S+)$", info.read_text(encoding="utf-8"), re.MULTILINE)
        if found:
            return found.group(1)
    raise RuntimeError("the version is read from the project's CMakeLists.txt, which is not beside this package")


_VERSION = _version()
_DIST_INFO = f"{_NAME}-{_VERSION}.dist-info"
_METADATA = (
    "Metadata-Version: 2.1\n"
    f"Name: {_NAME}\n"
    f"Version: {_VERSION}\n"
    "Summary: Evaluate mathematical expressions with the Quorvex library\n"
    "License: MIT\n"
    "Requires-Python: >=3.8\n"
)
_WHEEL = "Wheel-Version: 1.0\nGenerator: build_backend\nRoot-Is-Purelib: true\nTag: py3-none-any\n"


def _package_files():
    for path in sorted((_ROOT / _NAME).rglob("*.py")):
        yield path.relative_to(_ROOT).as_posix(), path.read_bytes()


def _record_line(name: str, data: bytes) -> str:
    digest = base64.urlsafe_b64encode(hashlib.sha256(data).digest()).rstrip(b"=").decode()
    return f"{name},sha256={digest},{len(data)}"


def get_requires_for_build_wheel(config_settings=None):
    return []


def get_requires_for_build_sdist(config_settings=None):
    return []


def build_wheel(wheel_directory, config_settings=None, metadata_directory=None):
    filename = f"{_NAME}-{_VERSION}-py3-none-any.whl"
    entries = list(_package_files())
    entries.append((f"{_DIST_INFO}/METADATA", _METADATA.encode()))
    entries.append((f"{_DIST_INFO}/WHEEL", _WHEEL.encode()))
    record = [_record_line(name, data) for name, data in entries] + [f"{_DIST_INFO}/RECORD,,"]
    entries.append((f"{_DIST_INFO}/RECORD", ("\n".join(record) + "\n").encode()))
    with zipfile.ZipFile(Path(wheel_directory) / filename, "w", zipfile.ZIP_DEFLATED) as wheel:
        for name, data in entries:
            wheel.writestr(name, data)
    return filename


def build_sdist(sdist_directory, config_settings=None):
    base = f"{_NAME}-{_VERSION}"
    filename = f"{base}.tar.gz"
    with tarfile.open(Path(sdist_directory) / filename, "w:gz") as archive:
        for name in ("pyproject.toml", "build_backend.py", "README.md"):
            archive.add(_ROOT / name, arcname=f"{base}/{name}")
        for name, data in _package_files():
            info = tarfile.TarInfo(f"{base}/{name}")
            info.size = len(data)
            archive.addfile(info, io.BytesIO(data))
        info = tarfile.TarInfo(f"{base}/PKG-INFO")
        info.size = len(_METADATA)
        archive.addfile(info, io.BytesIO(_METADATA.encode()))
    return filename
