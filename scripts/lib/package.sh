# The Windows package, a zip and a per-user installer: what goes into dist/ and how scripts/test
# checks it. Sourced after common.sh, once build_windows has built build/windows.

TOLLWARD_VERSION=$(sed -nE 's/^project\(Tollward VERSION ([0-9.]+).*/\1/p' "$TOLLWARD_ROOT/CMakeLists.txt")
PACKAGE_ZIP="$TOLLWARD_ROOT/dist/Tollward-$TOLLWARD_VERSION-win64.zip"
PACKAGE_SETUP="$TOLLWARD_ROOT/dist/Tollward-$TOLLWARD_VERSION-setup.exe"
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

# The installer, from the same staged files as the zip (make_package first). The uninstaller
# removes exactly the help files installed, so their list is written for it here.
make_installer() {
  local help_list="$PACKAGE_STAGE/help-files.nsh"
  (cd "$PACKAGE_STAGE/Tollward/help" && find . -type f | sort | sed -e 's|^\./||' -e 's|/|\\|g' |
    sed -e 's|.*|  Delete "$INSTDIR\\help\\&"|') >"$help_list" || return 1
  rm -f "$PACKAGE_SETUP"
  makensis -V2 -DVERSION="$TOLLWARD_VERSION" -DSTAGE="$PACKAGE_STAGE/Tollward" \
    -DHELP_FILES="$help_list" -DICON="$TOLLWARD_ROOT/res/art/tollward.ico" \
    -DOUTFILE="$PACKAGE_SETUP" "$TOLLWARD_ROOT/installer/Tollward.nsi" >"$PACKAGE_STAGE/makensis.log" 2>&1 ||
    { cat "$PACKAGE_STAGE/makensis.log"; return 1; }
}

# Beside the unpacked zip, where the Windows tests of the installer look for it.
place_installer() {
  cp "$PACKAGE_SETUP" "$PACKAGE_CHECK/"
}
