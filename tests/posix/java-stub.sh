#!/bin/sh
# Linux stand-in for a Windows JVM's bin\java.exe / bin\javaw.exe: runs the host's java with the
# same arguments, turning Windows class paths (";"-separated) into Linux ones.
for argument; do
  case "$argument" in
    *\;*) argument=$(printf '%s' "$argument" | /usr/bin/tr ';' ':') ;;
  esac
  set -- "$@" "$argument"
  shift
done
exec "${QBX_HOST_JAVA:-java}" "$@"
