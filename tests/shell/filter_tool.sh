# Sourced by the filter's shell tests: the command to test in the array `tool`
# (the build's quorvel-translate, or QUORVEL_TRANSLATE, for example
# "wine /path/to/quorvel-translate.exe"), a scratch folder `work` and the
# count of `failures`.
read -r -a tool <<<"${QUORVEL_TRANSLATE:-${1:?usage: $(basename "$0") BUILD_DIR}/tools/quorvel-translate/quorvel-translate}"
if ! command -v "${tool[0]}" >/dev/null; then
    echo "FAIL: ${tool[0]} was not built" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
