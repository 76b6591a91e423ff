#!/usr/bin/env bash
# Installs a build tree into a temporary prefix and checks what the desktop
# and the shell take from it: the desktop entry, the MIME type, the icon, the
# manual pages (naming every command and option the programs' help names,
# and no other) and the completion of quillbridge-cli.
#   scripts/check-install.sh BUILD_DIR
set -uo pipefail

build=${1:?usage: $0 BUILD_DIR}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect_empty <what> <command...>: the command succeeds and prints nothing.
expect_empty() {
    local what=$1 output
    shift
    output=$("$@" 2>&1) || fail "$what: $* failed"
    [[ -z $output ]] || fail "$what: $output"
}

# same_words <what> <expected> <actual>: the two lists hold the same words.
same_words() {
    local expected actual
    expected=$(tr ' ' '\n' <<<"$2" | sed '/^$/d' | sort -u)
    actual=$(tr ' ' '\n' <<<"$3" | sed '/^$/d' | sort -u)
    [[ $expected == "$actual" ]] || fail "$1: expected [$(echo $expected)], got [$(echo $actual)]"
}

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
share=$prefix/share
cli=$prefix/bin/quillbridge-cli
gui=$prefix/bin/quillbridge
for program in "$cli" "$gui"; do
    [[ -x $program ]] || fail "$program is not installed"
done

desktop=$(echo "$share"/applications/*.desktop)
if [[ -f $desktop ]]; then
    expect_empty "desktop entry" desktop-file-validate "$desktop"
    entry() { sed -n "s/^$1=//p" "$desktop"; }
    [[ -f $share/icons/hicolor/scalable/apps/$(entry Icon).svg ]] || fail "no icon named $(entry Icon)"
    [[ -x $prefix/bin/$(entry Exec | cut -d' ' -f1) ]] || fail "Exec= names no installed program"
    mime_type=$(entry MimeType | tr -d ';')
else
    fail "no single desktop entry in $share/applications"
    mime_type=
fi

for xml in "$share"/mime/packages/*.xml "$share"/icons/hicolor/scalable/*/*.svg; do
    expect_empty "$xml" xmllint --noout "$xml"
done
expect_empty "MIME database" env XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
grep -qx "50:$mime_type:\*\.qbf" "$share/mime/globs2" || fail "*.qbf is not a $mime_type file"
[[ -f $share/icons/hicolor/scalable/mimetypes/${mime_type//\//-}.svg ]] || fail "no icon for $mime_type"

# render <page>: the page as a reader sees it, on lines wide enough not to break an option.
render() { MANWIDTH=1000 man --nh -l "$1" 2>/dev/null | col -b; }
man_page=$share/man/man1
man_warnings() { MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null; }
for page in "$man_page"/quillbridge.1.gz "$man_page"/quillbridge-cli.1.gz; do
    expect_empty "$page" man_warnings "$page"
done

options_in() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
help=$("$cli" --help 2>/dev/null)
commands=$(sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$help")
same_words "quillbridge-cli(1) options" "$(options_in <<<"$help")" \
    "$(render "$man_page/quillbridge-cli.1.gz" | options_in)"
same_words "quillbridge(1) options" "$("$gui" --help 2>/dev/null | options_in)" \
    "$(render "$man_page/quillbridge.1.gz" | options_in)"
# Command entries stand at the first indent of their section, their options deeper.
same_words "quillbridge-cli(1) commands" "$commands" \
    "$(render "$man_page/quillbridge-cli.1.gz" | sed -n '/^COMMANDS/,/^[A-Z]/s/^       \([a-z][a-z-]*\).*/\1/p')"

completion=$share/bash-completion/completions/quillbridge-cli
expect_empty "completion" bash -n "$completion"
work=$(mktemp -d -p "$prefix")
touch "$work/site.QBF" "$work/notes.txt"
# complete_line <words...>: what Tab offers for the last word, the one being typed.
complete_line() {
    (cd "$work" && PATH=$prefix/bin:$PATH bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE="$*"
        COMP_POINT=${#COMP_LINE}
        _quillbridge_cli quillbridge-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        echo "${COMPREPLY[@]}"' completion "$completion" quillbridge-cli "$@")
}
same_words "completion of the commands" "$commands" "$(complete_line '')"
for command in $commands; do
    same_words "completion of $command's options" \
        "$("$cli" "$command" --help 2>/dev/null | head -n 1 | options_in) --help" "$(complete_line "$command" --)"
done
same_words "completion of a configuration file" "site.QBF" "$(complete_line get --out '')"

echo "install tree: $failures failures"
[[ $failures -eq 0 ]]
