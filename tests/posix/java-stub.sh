#!/bin/bash
# Linux stand-in for a Windows JVM's bin\java.exe / bin\javaw.exe: runs the host's java with the
# same arguments, turning Windows class paths (";"-separated) into Linux ones. With QBX_JVM_TIMES
# set, it adds "<end> <start>" of the JVM's run to that file (for the overhead benchmark).
[ -n "${QBX_JVM_TIMES:-}" ] || exec "${QBX_HOST_JAVA:-java}" "${@//;/:}"
start=$(date +%s.%N)
"${QBX_HOST_JAVA:-java}" "${@//;/:}"
code=$?
echo "$(date +%s.%N) $start" >> "$QBX_JVM_TIMES"
exit $code
