# Sourced by the end-to-end scripts. wait_for COMMAND...: polls COMMAND every
# tenth of a second, up to WAIT_STEPS times (machines running tests are busy),
# until it succeeds with some output, and prints that output.
wait_for() {
    local output
    for _ in $(seq "${WAIT_STEPS:-200}"); do
        if output=$("$@" 2>/dev/null) && [ -n "$output" ]; then
            echo "$output"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
