# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# bash completion for kevrareplace and kevrareplace-check.

# Rule files: XML files and folders first; other files only when no XML file matches.
_kevrareplace_rulefiles()
{
    _filedir xml
    [ ${#COMPREPLY[@]} -gt 0 ] || _filedir
}

_kevrareplace()
{
    local cur prev words cword
    _init_completion || return
    case $prev in
    -config)
        _kevrareplace_rulefiles
        return
        ;;
    esac
    # The string is the user's own: nothing to offer for it.
    [[ $cur == -* ]] && COMPREPLY=($(compgen -W '-config -version -help' -- "$cur"))
}
complete -F _kevrareplace kevrareplace

_kevrareplace_check()
{
    local cur prev words cword split
    # -s: --format=VALUE is completed as --format VALUE.
    _init_completion -s || return
    # After -- every word is a string.
    local i
    for ((i = 1; i < cword; i++)); do
        [[ ${words[i]} == -- ]] && return
    done
    case $prev in
    -config | --config | -compare | --compare)
        _kevrareplace_rulefiles
        return
        ;;
    -test | --test | -suggest | --suggest)
        _filedir
        return
        ;;
    -format | --format)
        COMPREPLY=($(compgen -W 'gnu sarif' -- "$cur"))
        return
        ;;
    esac
    $split && return
    # The second file of --compare OLD.xml NEW.xml.
    if [[ $cword -ge 3 && ${words[cword - 2]} == @(-compare|--compare) ]]; then
        _kevrareplace_rulefiles
        return
    fi
    [[ $cur == -* ]] && COMPREPLY=($(compgen -W '-h --help --version -config --config
        --rules -z --stdin -v --format --test --compare --suggest' -- "$cur"))
}
complete -F _kevrareplace_check kevrareplace-check
