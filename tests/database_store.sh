#!/bin/sh
# The counters' tests that need a PostgreSQL server, on one started in a temporary folder.
# usage: database_store.sh <test_database>
set -u
TESTS=$(realpath "$1") || exit 1
. "$(dirname "$0")/support/pg_server.sh"
start_server
KELVO_TEST_DATABASE_HOST=$PGROOT "$TESTS"
