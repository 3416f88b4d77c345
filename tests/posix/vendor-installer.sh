#!/bin/sh
# Linux stand-in for a JVM vendor's installer, as the launcher runs it from the directory it
# chose: records that directory and its arguments (one per line) in $QBX_VENDOR_LOG, lays out a
# JVM home at $QBX_VENDOR_HOME (elsewhere, as real installers do) whose executables run the host
# JDK, and registers it in the stand-in registry under the runtime's 17.0 key.
{ /bin/pwd; for a; do printf '[%s]\n' "$a"; done; } > "$QBX_VENDOR_LOG" || exit 1
/bin/mkdir -p "$QBX_VENDOR_HOME/bin" || exit 1
for name in java.exe javaw.exe; do
  /bin/cp "$QBX_JAVA_STUB" "$QBX_VENDOR_HOME/bin/$name" || exit 1
done
printf '\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\17.0]\n"JavaHome"="%s"\n"MicroVersion"="15"\n' \
  "$QBX_VENDOR_HOME" >> "$QBX_REGISTRY"
exit 7
