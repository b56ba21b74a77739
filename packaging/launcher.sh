#!/bin/sh
# Starts velmora from its own folder below lib/, where it finds its "pdf/"
# documents beside the program file. Works wherever the package was
# installed: the folder is found from this script's own place.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/velmora/velmora" "$@"
