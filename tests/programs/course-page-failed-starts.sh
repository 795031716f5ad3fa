#!/usr/bin/env bash
# The course page's starts that fail, as a learner meets them: each shows its
# message box, and after OK the page ends with status 1 and the same words on
# its standard error. A server that answers nothing for the session (as a real
# one does for a wrong session), a server out of reach, a start-up record in
# which the server refuses the session, and a work folder that cannot be made.
#
#   tests/programs/course-page-failed-starts.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/learner.sh"
limit_run 120

start_display

# A wrong session: five empty start-up replies.
start_server --fault empty:initplugin
start_course_page "$server_url"
expect_failed_start "failed at step 21001: Le serveur de cours n'a envoyé aucun enregistrement de démarrage"
stop_sample_server

# The server out of reach: the port of a server that has stopped.
start_server
unreachable=$server_url
stop_sample_server
start_course_page "$unreachable"
expect_failed_start "failed at step 21001: Enregistrement de démarrage non reçu : Connection refused"

# The server's own refusal, in a #KAV_ERREUR# record.
start_server --fault kaverreur:initplugin
start_course_page "$server_url"
expect_failed_start "failed at step 21001: Erreur simulée par le serveur de cours"
stop_sample_server

# A file where the learner's work folder should go.
mkdir -p "$HOME/Formation/Netrova"
echo "not a folder" >"$HOME/Formation/Netrova/Mes exercices"
start_server
start_course_page "$server_url"
expect_failed_start "failed at step 21015: Le dossier de travail de l'apprenant ne peut pas être créé"
