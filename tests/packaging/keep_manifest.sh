# Every install from a build tree, CPack's included, rewrites the install_manifest.txt
# users uninstall with: keep_manifest BUILD_DIR WORK_DIR puts it back on exit, removes WORK_DIR.
keep_manifest() {
    manifest_path=$1/install_manifest.txt
    manifest_work=$2
    [ -f "$manifest_path" ] && cp -p "$manifest_path" "$manifest_work/manifest"
    trap restore_manifest EXIT
}

restore_manifest() {
    cp -p "$manifest_work/manifest" "$manifest_path" 2>/dev/null || rm -f "$manifest_path"
    rm -rf "$manifest_work"
}
