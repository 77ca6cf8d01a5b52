# Sourced by the build scripts. apt_get runs apt-get without questions and
# waits for another apt to finish; install_missing PACKAGE... installs those
# not yet installed when run as root, and otherwise names them and fails.
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 "$@"
}

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    if [ "$(id -u)" != 0 ] || ! command -v apt-get >/dev/null; then
        echo "Missing packages: ${missing[*]}; install them with apt-get as root." >&2
        return 1
    fi
    echo "Installing: ${missing[*]}"
    apt_get update -qq
    apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
