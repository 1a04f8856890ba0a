# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# fish completion for kevrareplace.

# Rule files: XML files first, then the rest.
function __kevrareplace_rulefiles
    set -l token (commandline -ct)
    __fish_complete_suffix $token .xml
end

complete -c kevrareplace -f
complete -c kevrareplace -o config -r -F -a '(__kevrareplace_rulefiles)' -d 'Rule file'
complete -c kevrareplace -o version -d 'Print the banner'
complete -c kevrareplace -o help -d 'Print the banner and the usage line'
