"""The CMake step of the build: the wheel carries the library and the root LICENSE, and is
tagged for the platform, since the library is a native binary.

The library is built from the source tree around this folder, or taken from the build directory
that QUORVEX_BUILD_DIR names by its absolute path (one configured from this tree, such as
build/default)."""

from __future__ import annotations

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Distribution, setup
from setuptools.command.build_py import build_py

try:
    from setuptools.command.bdist_wheel import bdist_wheel
except ImportError:  # setuptools before 70.1 takes it from wheel
    from wheel.bdist_wheel import bdist_wheel

HERE = Path(__file__).resolve().parent
SOURCE_ROOT = HERE.parent.parent
LIBRARY = "Quorvex64.dll" if sys.platform == "win32" else "libQuorvex64.so"
BUILD_DIR_VARIABLE = "QUORVEX_BUILD_DIR"


def project_version() -> str:
    cmake = SOURCE_ROOT / "CMakeLists.txt"
    if cmake.is_file():
        found = re.search(r"project\(Quorvex VERSION ([0-9.]+)", cmake.read_text(encoding="utf-8"))
        if found:
            return found.group(1)
    info = HERE / "PKG-INFO"  # an sdist
    if info.is_file():
        found = re.search(r"^Version: (\S+)$", info.read_text(encoding="utf-8"), re.MULTILINE)
        if found:
            return found.group(1)
    raise RuntimeError("the version is read from the project's CMakeLists.txt, which is not beside this package")


def built_library(build_temp: str) -> Path:
    """The library of the build directory named by QUORVEX_BUILD_DIR, or one built now."""
    given = os.environ.get(BUILD_DIR_VARIABLE)
    if given:
        library = Path(given).resolve() / LIBRARY
        if not library.is_file():
            # pip runs the build in this folder, so a relative path would be read from here.
            raise RuntimeError(f"{BUILD_DIR_VARIABLE}={given} holds no {LIBRARY} (give an absolute path)")
        return library
    if not (SOURCE_ROOT / "CMakeLists.txt").is_file():
        raise RuntimeError(f"no source tree to build {LIBRARY} from; set {BUILD_DIR_VARIABLE}")
    build_dir = Path(build_temp).resolve() / "cmake"
    subprocess.check_call(["cmake", "-S", str(SOURCE_ROOT), "-B", str(build_dir), "-DCMAKE_BUILD_TYPE=Release",
                           "-DBUILD_TESTING=OFF", "-DQUORVEX_BUILD_BENCH=OFF"])
    subprocess.check_call(["cmake", "--build", str(build_dir), "--target", "Quorvex64", "--parallel",
                           os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")])
    return build_dir / LIBRARY


class BuildWithLibrary(build_py):
    def run(self) -> None:
        super().run()
        # An editable install imports the package from this folder, so the library goes there.
        target = HERE / "quorvex" if self.editable_mode else Path(self.build_lib) / "quorvex"
        target.mkdir(parents=True, exist_ok=True)
        library = built_library(self.get_finalized_command("build").build_temp)
        (target / LIBRARY).unlink(missing_ok=True)
        if self.editable_mode and os.name == "posix" and os.environ.get(BUILD_DIR_VARIABLE):
            # A link, so that the editable package follows the build directory's rebuilds (a
            # library built here lives in a temporary folder, and is copied).
            (target / LIBRARY).symlink_to(library)
        else:
            # copyfile follows the symbolic links to the versioned file.
            shutil.copyfile(library, target / LIBRARY)
        if (SOURCE_ROOT / "LICENSE").is_file() and not self.editable_mode:
            shutil.copyfile(SOURCE_ROOT / "LICENSE", target / "LICENSE")


class NativeDistribution(Distribution):
    """Holds a native library: built into platlib, and the wheel's root is no pure one."""

    def has_ext_modules(self) -> bool:
        return True


class PlatformWheel(bdist_wheel):
    """py3-none-<platform>: any Python 3 loads the library through ctypes, but only here."""

    def get_tag(self) -> tuple[str, str, str]:
        return ("py3", "none", super().get_tag()[2])


setup(version=project_version(), distclass=NativeDistribution,
      cmdclass={"build_py": BuildWithLibrary, "bdist_wheel": PlatformWheel})
