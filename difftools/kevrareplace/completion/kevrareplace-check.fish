# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# fish completion for kevrareplace-check.

function __kevrareplace_check_rulefiles
    __fish_complete_suffix (commandline -ct) .xml
end

# The second file of --compare OLD.xml NEW.xml.
function __kevrareplace_check_compare_second
    set -l words (commandline -opc)
    test (count $words) -ge 2; and contains -- $words[-2] --compare -compare
end

complete -c kevrareplace-check -f
complete -c kevrareplace-check -s h -l help -d 'Display help on the options'
complete -c kevrareplace-check -l version -d 'Print the version'
complete -c kevrareplace-check -l config -o config -r -F -a '(__kevrareplace_check_rulefiles)' -d 'Read rules from a file'
complete -c kevrareplace-check -l rules -d 'List the rules the tool reads'
complete -c kevrareplace-check -s z -d 'End every field with a NUL'
complete -c kevrareplace-check -l stdin -d 'Rewrite each line of standard input'
complete -c kevrareplace-check -s v -d 'With --stdin, the deciding rule; with --compare, every string behind the counts'
complete -c kevrareplace-check -l format -x -a 'gnu sarif' -d 'Format of the problems'
complete -c kevrareplace-check -l test -r -F -d 'Run the cases of a file'
complete -c kevrareplace-check -l suggest -r -F -d 'Write the rule file the cases of a file ask for'
complete -c kevrareplace-check -l compare -r -F -a '(__kevrareplace_check_rulefiles)' -d 'Compare two rule files'
complete -c kevrareplace-check -n __kevrareplace_check_compare_second -F -a '(__kevrareplace_check_rulefiles)'
