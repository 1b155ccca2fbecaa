# The Windows package: what goes into dist/ and how scripts/test checks it. Sourced after
# common.sh, once build_windows has built build/windows.

TOLLWARD_VERSION=$(sed -nE 's/^project\(Tollward VERSION ([0-9.]+).*/\1/p' "$TOLLWARD_ROOT/CMakeLists.txt")
PACKAGE_ZIP="$TOLLWARD_ROOT/dist/Tollward-$TOLLWARD_VERSION-win64.zip"
PACKAGE_STAGE="$BUILD_WINDOWS/package"
# The test unpacks the zip beside the Windows tests, so that they reach it by a relative path.
PACKAGE_CHECK="$BUILD_WINDOWS/package-check"

# The program as built and tested, without its debug information, and its help folder; one
# folder "Tollward" in the zip, so that unpacking never scatters files.
make_package() {
  rm -rf "$PACKAGE_STAGE" && mkdir -p "$PACKAGE_STAGE/Tollward" "$(dirname "$PACKAGE_ZIP")" || return 1
  x86_64-w64-mingw32-strip --strip-all -o "$PACKAGE_STAGE/Tollward/Tollward.exe" \
    "$BUILD_WINDOWS/Tollward.exe" || return 1
  cp -r "$TOLLWARD_ROOT/docs/help" "$PACKAGE_STAGE/Tollward/help" || return 1
  rm -f "$PACKAGE_ZIP"
  (cd "$PACKAGE_STAGE" && zip -qrX "$PACKAGE_ZIP" Tollward)
}

# The packaged program's size in bytes.
package_exe_size() {
  unzip -Zl "$PACKAGE_ZIP" Tollward/Tollward.exe | awk '$NF == "Tollward/Tollward.exe" { print $4 }'
}

# A fresh copy of the zip's content where the Windows tests of the package look for it.
unpack_package() {
  rm -rf "$PACKAGE_CHECK" && mkdir -p "$PACKAGE_CHECK" && unzip -q "$PACKAGE_ZIP" -d "$PACKAGE_CHECK"
}
