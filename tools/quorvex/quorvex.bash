# bash completion for quorvex: its options, and function and constant names inside expressions.
# The names and options come from the calculator itself, so they never fall behind it.

_quorvex_names() {
    "$1" --functions 2>/dev/null | sed -n 's/^  \([a-z][a-z0-9]*\)(.*/\1/p'
    "$1" --constants 2>/dev/null | cut -f2
    echo pi
}

_quorvex() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "=" breaks words: --file=F arrives as --file, =, F.
    if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == = ]]; then
        cur=
    fi
    case $prev in
    --file)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    --decimal-separator)
        COMPREPLY=()
        return
        ;;
    --functions)
        mapfile -t COMPREPLY < <(compgen -W "$("$1" --functions 2>/dev/null |
            sed -n 's/^  \([a-z][a-z0-9]*\)(.*/\1/p')" -- "$cur")
        return
        ;;
    esac
    local word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        [[ $word == -- ]] && break
    done
    if [[ $cur == -* && $word != -- ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$("$1" --help 2>/dev/null |
            sed -n 's/^  \(-[-a-z]*\)\(, \(-[a-z]\)\)\{0,1\}.*/\1 \3/p')" -- "$cur")
        return
    fi
    # The name being typed is the end of the word: "2*be" completes "be".
    local name=${cur##*[^A-Za-z0-9]} head
    head=${cur%"$name"}
    mapfile -t COMPREPLY < <(compgen -P "$head" -W "$(_quorvex_names "$1")" -- "${name,,}")
    compopt -o nospace 2>/dev/null
}

complete -F _quorvex quorvex
