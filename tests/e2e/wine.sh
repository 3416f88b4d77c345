#!/bin/bash
# End-to-end runs of the real installer.exe under Wine, with the host's JDK behind java-stub.exe
# as the JVM's bin\java.exe and javaw.exe, in the prefix's registry.
# Usage: wine.sh <windows build dir> <scenario>; sourced without a scenario, it only defines the run.
set -u
# On a virtual X display of their own, with no Wine session of an earlier display to join.
[ -z "${2:-}" ] || [ "${QBX_IN_XVFB:-}" = 1 ] ||
  QBX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$SOURCE/tests/e2e/lib.sh"
RUN="$SOURCE/tests/wine/wine-run.sh"
ARTIFACTS="$BUILD/e2e-artifacts"
mkdir -p "$ARTIFACTS"
[ -e "$BUILD/installer.exe" ] && [ -e "$BUILD/payload/install.jar" ] || fail "no installer.exe or payload in $BUILD"
export WINEPREFIX="$BUILD/wineprefix"
# Until every program of the session (the clean-up program among them) has ended.
wait_for_wine() { timeout 120 /usr/lib/wine/wineserver -w > /dev/null 2>&1 || true; }
# The scenario's folder is the drive S: (Z: is the host's root, and every folder of /tmp reads
# back as one that other users may change: the launcher would rightly pass it over).
P() {
  local path=$1 drive=Z:
  case "$path" in "${SCENARIO_DIR:-/nowhere}" | "${SCENARIO_DIR:-/nowhere}"/*) path=${path#"$SCENARIO_DIR"} drive=S: ;; esac
  printf '%s%s' "$drive" "${path//\//\\}"
}
W() { local path; path=$(P "$1"); printf '%s' "${path//\\//}"; } # as wizard.log shows it
U() { printf '%s' "${1/#"$SCENARIO_DIR"/$WINEPREFIX/dosdevices/s:}"; }  # as the host JVM gets it

# The clean-up stand-in records its command line; the expander lays out jre\bin with java-stub.exe.
setup() {
  make_scenario "$BUILD/java-stub.exe" "$BUILD/showcmdline.exe"
  ln -sfn "$SCENARIO_DIR" "$WINEPREFIX/dosdevices/s:"
  export QBX_CMDLINE_OUT=$(P "$START/cleanup-cmdline.txt")
  printf '%s\r\n' "$(P "$START")" > "$WORK/startdir.txt"
}
export QBX_EXPANDER_JAVA=$(P "$BUILD/java-stub.exe") QBX_EXPANDER_HOME=jre
# The working, start and JVM directories renamed into scripts outside the ANSI code page (1252
# here; Wine reads the host's names in UTF-8), "startdir.txt" in UTF-8 with its mark.
rename_dirs() { # work start jvm
  export LC_ALL=C.UTF-8
  mv "$WORK" "$SCENARIO_DIR/$1" && WORK="$SCENARIO_DIR/$1"
  mv "$START" "$SCENARIO_DIR/$2" && START="$SCENARIO_DIR/$2"
  mv "$JVM" "$SCENARIO_DIR/jvm/$3" && JVM="$SCENARIO_DIR/jvm/$3"
  export QBX_CMDLINE_OUT=$(P "$START/cleanup-cmdline.txt")
  printf '\xEF\xBB\xBF%s\r\n' "$(P "$START")" > "$WORK/startdir.txt"
  : > "$WORK/jinstall.log"
}
# Run away from the start directory: the logs saved there, the clean-up program given the
# working directory, nothing of the run left in it.
expect_cleaned_up() {
  local work=$(P "$WORK")
  [[ "$work" != *" "* ]] || work="\"$work\""
  expect_grep "$START/cleanup-cmdline.txt" "__cleanup.exe $work"
  expect_grep "$START/jinstall.log" "Java wizard launched successfully"
  expect_no_file "$WORK/native.properties" "$WORK/__qbxinstall.sem" "$WORK/install.jar"
}

reg() { "$RUN" reg "$@" > /dev/null 2>&1; }
reg_value() { "$RUN" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
RUNTIME_KEY='HKLM\SOFTWARE\JavaSoft\Java Runtime Environment'
runtime_value() { reg_value "$RUNTIME_KEY$1" "$2"; }
reset_registry() {
  for root in JavaSoft 'Eclipse Adoptium' 'Microsoft\JDK' 'Azul Systems' Semeru BellSoft; do
    for key in 'HKLM\SOFTWARE\' 'HKLM\SOFTWARE\WOW6432Node\' 'HKCU\Software\'; do reg delete "$key$root" /f; done
  done
  reg delete 'HKCU\Control Panel\International' /v LocaleNameOverride /f
  reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f
}
# The screen's DPI, as Wine reads it when its session starts (the value goes with the sandbox).
set_dpi() { reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f; restart_wine; }
restart_wine() { /usr/lib/wine/wineserver -k > /dev/null 2>&1; wait_for_wine; }
register_runtime() { # version, home, micro version
  reg add "$RUNTIME_KEY\\$1" /v JavaHome /d "$(P "$2")" /f && reg add "$RUNTIME_KEY\\$1" /v MicroVersion /d "$3" /f
}
register_found() { register_runtime 17.0 "$JVM" 15; }
# The Windows directory and Program Files of the registry lie in the scenario, until the exit.
NT_KEY='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion'
WIN_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion'
sandbox() {
  trap '[ -z "${SAVED_ROOT:-}" ] || reg add "$NT_KEY" /v SystemRoot /d "$SAVED_ROOT" /f
        [ -z "${SAVED_PROGRAMS:-}" ] || reg add "$WIN_KEY" /v ProgramFilesDir /d "$SAVED_PROGRAMS" /f
        reg delete "HKCU\\Control Panel\\Desktop" /v LogPixels /f
        [ -n "${QBX_KEEP:-}" ] || rm -rf "$SCENARIO_DIR"' EXIT
  reset_registry
  # A query made while the previous session's wineserver is still going away can come back
  # empty now and then: ask again before giving up.
  for attempt in 1 2 3 4 5; do
    SAVED_ROOT=$(reg_value "$NT_KEY" SystemRoot)
    SAVED_PROGRAMS=$(reg_value "$WIN_KEY" ProgramFilesDir)
    [ -z "$SAVED_ROOT" ] || [ -z "$SAVED_PROGRAMS" ] || break
    sleep 1
  done
  [ -n "$SAVED_ROOT" ] && [ -n "$SAVED_PROGRAMS" ] || fail "cannot read the prefix's system folders"
  reg add "$NT_KEY" /v SystemRoot /d "$(P "$WINDIR")" /f
  reg add "$WIN_KEY" /v ProgramFilesDir /d "$(P "$PROGRAMS")" /f
}
put_java() { mkdir -p "$1" && for name in java.exe javaw.exe; do cp "$BUILD/java-stub.exe" "$1/$name"; done; } # into bin
# The vendor's installer is the expander when QBX_VENDOR_HOME is set.
put_expander() { cp "$BUILD/jvmexpander.exe" "$WORK/$1"; }
put_vendor() { put_expander "$@"; }
put_recorder() { cp "$BUILD/argsrecorder.exe" "$WORK/$1"; }
expect_vendor_arguments() { expect_grep "$1" '[jre-setup.exe /s /v"INSTALLDIR=C:\Program Files\x"]'; }

# installer.exe with exactly that command line after its name, from the working directory, by
# rawexec.exe (wine64 would quote the arguments again). With a screenshot file, the title of the
# window to shoot; with a box title, the box is answered after the shot.
run_raw() { # command line, [screenshot, window, box]
  local code=0 shot=${2:-} box=${4:-} helpers=()
  printf '%s %s' "$(P "$BUILD/installer.exe")" "$1" > "$SCENARIO_DIR/cmdline.txt"
  (cd "$WORK" && timeout 180 "$RUN" "$(P "$BUILD/rawexec.exe")" "$(P "$SCENARIO_DIR/cmdline.txt")" \
     > "$SCENARIO_DIR/stdout" 2> "$SCENARIO_DIR/stderr") &
  local program=$!
  [ -z "$shot" ] || { shoot "$shot" "$3" & helpers+=($!); }
  [ -z "$box" ] || { answer "$box" "$shot" & helpers+=($!); }
  wait $program || code=$?
  kill "${helpers[@]}" 2>/dev/null
  [ $code -eq 0 ] || fail "exit code $code"
  wait_for_wine
  [ -n "$shot" ] || return 0
  # The shot is of the window alone (the bare screen around it proves nothing), and shows something.
  [ -s "$shot" ] || fail "no screenshot $shot"
  [ "$(convert "$shot" -format %wx%h info:)" != 1024x768 ] || fail "$shot shows the whole screen"
  [ "$(convert "$shot" -format %k info:)" -gt 2 ] || fail "$shot is blank"
}
shoot() { # file, window title: a second after the window appears
  local id
  until id=$(xdotool search --name "^$2\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; do sleep 0.2; done
  sleep 1
  xwd -id "$id" -silent | convert xwd:- "$1"
  touch "$SCENARIO_DIR/shot.done"
}
# Presses Return in the box every 0.2 s until the run ends: a single key press is sometimes lost.
answer() { # box title, [screenshot to wait for]
  while [ -n "$2" ] && [ ! -e "$SCENARIO_DIR/shot.done" ]; do sleep 0.1; done
  while :; do xdotool search --name "^$1\$" windowfocus key Return > /dev/null 2>&1; sleep 0.2; done
}
run_qbxcheck() { (cd "$START" && "$RUN" "$(P "$BUILD/qbxcheck.exe")" "$@" "$(P "$WORK")" 2>&1); } # [--find]
launch() { # an empty command line: a run with windows, whose error box is answered
  [ -n "$1" ] && run_raw "$1" || run_raw "" "" "" "Quillbox Installer: Error"
}
# A traced run that finds and uses $JVM, and the lines of the trace that say how.
expect_found() { # command line, texts...
  : >> "$WORK/jinstall.log"
  launch "$1"
  shift
  expect_grep "$START/jinstall.log" "$@" "Found correct version of JVM: $(P "$JVM")\\bin\\java.exe"
  expect_wizard_with "$START/wizard.log" "$(W "$JVM")" false
}

[ -n "${2:-}" ] || return 0
restart_wine
setup
sandbox
case "$2" in
samedir)
  scenario samedir
  expect_no_file "$START/cleanup-cmdline.txt"
  ;;
extended-off)
  # A JVM that only the switched-off search would find.
  reg add 'HKLM\SOFTWARE\JavaSoft\JDK\17' /v JavaHome /d "$(P "$JVM")" /f
  set_control extendedJvmSearch false
  scenario nojvm
  ;;
wow32)
  # Only the extended search finds the JVM: Adoptium's layout, 32-bit view of the machine's keys
  # (each vendor's in the unit tests); a newer JVM under the user's keys, in an open folder, is refused.
  reg add 'HKLM\SOFTWARE\WOW6432Node\Eclipse Adoptium\JRE\17.0.8.101\hotspot\MSI' /v Path /d "$(P "$JVM")" /f
  open="$SCENARIO_DIR/open/jdk21"
  put_java "$open/bin" && chmod 0777 "$SCENARIO_DIR/open"
  reg add 'HKCU\Software\JavaSoft\JDK\21' /v JavaHome /d "$(P "$open")" /f
  expect_found "-q " "Java Plugin registry entry had correct jvm info: false" \
    "turns down HKCU JavaSoft (a folder others can change, " "testing jvm from HKLM 32-bit Eclipse Adoptium (64-bit): $(P "$JVM")"
  expect_no_grep "$START/jinstall.log" "$(P "$open")\\bin\\java.exe"
  ;;
user)
  # Only under the user's keys. jvmArchitecture=64 turns down a newer 32-bit JVM (a copy of the
  # test java.exe whose image header names x86) that the JavaSoft keys record.
  reg add 'HKCU\Software\Eclipse Adoptium\JDK\17.0.8.101\hotspot\MSI' /v Path /d "$(P "$JVM")\\" /f
  x86="$SCENARIO_DIR/jvm/jre21-x86"
  put_java "$x86/bin" && header=$(od -An -tu4 -j60 -N4 "$x86/bin/java.exe")
  for name in java.exe javaw.exe; do
    printf '\x4c\x01' | dd of="$x86/bin/$name" bs=1 seek=$((header + 4)) conv=notrunc status=none
  done
  register_runtime 21.0 "$x86" 1
  set_control jvmArchitecture 64
  expect_found "-q " "jvmArchitecture 64-bit turns down $(P "$x86")\\bin\\java.exe: 32-bit" \
    "testing jvm from HKCU Eclipse Adoptium (64-bit): $(P "$JVM")"
  ;;
path)
  # Only on the search path (WINEPATH comes first in it): the Windows directory, with a copy of
  # java.exe as older JVMs left there, is passed over; the entry of the JVM's bin is used.
  cp "$BUILD/java-stub.exe" "$WINDIR/java.exe"
  export WINEPATH="$(P "$WINDIR");$(P "$JVM")\\bin"
  expect_found "-q " "skips PATH entry 1 (the Windows directory): $(P "$WINDIR")" \
    "testing jvm from PATH entry 2 (64-bit): $(P "$JVM")"
  ;;
planted)
  # Another user's JVM in a folder every user may change, at the root of Program Files' drive (Q:,
  # a folder of the scenario's), where a leftover version folder without a JVM sends the selection:
  # passed over, never run nor registered; the tree under the Windows directory takes the JVM.
  drive="$SCENARIO_DIR/q" planted="$SCENARIO_DIR/q/jvm/jre17.0"
  mkdir -p "$drive/Program Files/JavaSoft/JRE17.0/17.0.2" "$planted/17.0" && put_java "$planted/bin"
  chmod 0777 "$drive/jvm"
  ln -sfn "$drive" "$WINEPREFIX/dosdevices/q:"
  reg add "$WIN_KEY" /v ProgramFilesDir /d 'Q:\Program Files' /f
  use_bundle expander
  set_control predefinedJvmInstallDir ""
  : > "$WORK/jinstall.log"
  launch "-q "
  rm -f "$WINEPREFIX/dosdevices/q:"
  home="$WINDIR/jvm/jre17.0/17.0/jre"
  expect_grep "$START/jinstall.log" 'passed over a folder that others can change Q:\jvm: other users may change it'
  expect_no_grep "$START/jinstall.log" 'Q:\jvm\jre17.0\bin'
  expect_wizard_with "$START/wizard.log" "$(W "$home")" true
  expect_reg '\17.0' JavaHome 'windows\jvm\jre17.0\17.0\jre'
  ;;
nsis)
  # A vendor's installer built with NSIS (64-bit, silent, its folder from /D= with blanks): its
  # JVM, laid out outside the chosen directory and known only to Adoptium's key (in the 64-bit
  # view of the machine's keys, with a trailing backslash), is found and used.
  JVM="$PROGRAMS/Eclipse Adoptium/jdk-17.0.8.101 hotspot"
  cp "$BUILD/nsisvendor.exe" "$WORK/jdk setup.exe" || fail "no nsisvendor.exe (install nsis, rebuild)"
  set_control jvmInstallerType thirdPartyJvmInstaller
  set_control jvmInstallerBinary "jdk setup.exe"
  set_control jvmInstallerCommand "jdk setup.exe/*/*/*/S/*/*/*/D=$(P "$JVM")"
  set_control jvmVersion 17
  expect_found "-q " "third party jvm installer ran with no reported errors"
  ;;
dialog)
  # The status dialog of a run with windows, in Japanese at 100 and 200% (about twice its size);
  # its texts traced in UTF-8. For `make screenshots`: one shot in QBX_SHOT_LOCALE at QBX_SHOT_DPI
  # into QBX_SHOT_FILE, while the lingering wizard keeps the dialog's grace period on screen.
  register_found
  set_control loaderJavaCommand "ExampleWizard --linger 10"
  : > "$WORK/jinstall.log"
  cp -a "$WORK" "$SCENARIO_DIR/payload"
  show() { # locale, dpi, screenshot, traced texts...
    rm -rf "$WORK" "$SCENARIO_DIR/shot.done" && cp -a "$SCENARIO_DIR/payload" "$WORK"
    set_dpi "$2"
    export LC_ALL=$1 2>/dev/null
    run_raw "" "$3" Installer ""
    shift 3 && expect_grep "$START/jinstall.log" "$@"
  }
  [ -z "${QBX_SHOT_FILE:-}" ] || { show "$QBX_SHOT_LOCALE" "$QBX_SHOT_DPI" "$QBX_SHOT_FILE"; exit 0; }
  for dpi in 96 192; do
    show ja_JP.UTF-8 $dpi "$ARTIFACTS/status-dialog-ja-$dpi.png" "インストーラーを展開中..." "インストーラーを起動中..." \
      "Java wizard launched successfully"
    expect_grep "$START/wizard.log" "mode: interactive"
  done
  read -r w1 h1 w2 h2 <<< "$(convert "$ARTIFACTS"/status-dialog-ja-{96,192}.png -format '%w %h ' info:)"
  echo "dialog: ${w1}x$h1 at 96 dpi, ${w2}x$h2 at 192 dpi"
  twice() { [ $(( $2 * 10 )) -ge $(( $1 * 18 )) ] && [ $(( $2 * 10 )) -le $(( $1 * 22 )) ]; }
  twice "$w1" "$w2" && twice "$h1" "$h2" || fail "the dialog at 192 dpi is not about twice its size at 96 dpi"
  ;;
errorbox)
  # An error box without detail carries the language's suffix; the control file is missing. The
  # logs stay English. For `make screenshots`: QBX_SHOT_LOCALE, QBX_SHOT_DPI, QBX_SHOT_FILE.
  rm "$WORK/qbx.control"
  [ -z "${QBX_SHOT_DPI:-}" ] || set_dpi "$QBX_SHOT_DPI"
  export LC_ALL=${QBX_SHOT_LOCALE:-fr_FR.UTF-8} 2>/dev/null
  run_raw "" "${QBX_SHOT_FILE:-$ARTIFACTS/error-box-fr.png}" "Quillbox Installer: Error" "Quillbox Installer: Error"
  expect_grep "$START/errors.log" "Unable to open qbx.control" "Unable to install application."
  ;;
cyrillic)
  # A JVM found in the registry; the wizard gets a path in its arguments (with a blank: one
  # argument) and one in the file.
  rename_dirs "рабочая папка" "пуск" "ява17"
  register_found
  expect_found "-s \"$(P "$START/мои свойства.txt")\""
  expect_grep "$START/wizard.log" "mode: properties" "details: $(U "$START/мои свойства.txt")" "arguments: 2"
  expect_cleaned_up
  ;;
chinese)
  # A bundled JVM laid out in the working directory: used, then deleted by the clean-up, which
  # reads its path back from the escapes of "native.properties".
  rename_dirs "工作目录" "开始" "爪哇17"
  use_bundle expander '[$AppDir]\jvm17'
  launch "-q "
  expect_grep "$START/wizard.log" "nativeJvmHomeDir = $(W "$WORK/jvm/jre")" "nativeJvmInstalledInTemp = true" \
    "started properly"
  expect_grep "$START/jinstall.log" "jvmLocation $(P "$WORK/jvm/jre")"
  expect_no_file "$WORK/jvm/jre"
  expect_cleaned_up
  ;;
lost-characters)
  # An outer stage wrote the start directory in the code page, which has '?' for its letters:
  # an error, its logs saved in the Windows directory, not a run that looks like a success.
  rename_dirs "работа" "пуск" "ява17"
  register_found
  printf '%s\r\n' "$(P "$START")" | sed 's/[^ -~\r]\+/?/g' > "$WORK/startdir.txt"
  launch ""
  expect_grep "$WINDIR/errors.log" "start directory with characters the system lost: S:\\?" \
    "Unable to install application."
  expect_no_file "$START/wizard.log"
  ;;
qbxcheck)
  # The packager's check from a folder of its own, names in Cyrillic: each JVM of the registry, its
  # verdict, the one a run would use (--find); a misspelt installer type (exit 1); nothing changed.
  rename_dirs "рабочая папка" "пуск" "ява17" && register_found
  register_runtime 1.8 "$SCENARIO_DIR/gone" 0_401
  set_control jvmInstallerType selfExtractorJvmInstaller
  snapshot() { (cd "$WORK" && find . -type f -exec sha256sum {} + | sort); }
  before=$(snapshot)
  run_qbxcheck --find > "$SCENARIO_DIR/find.txt" || fail "qbxcheck --find exit code $?: $(cat "$SCENARIO_DIR/find.txt")"
  runtime="jvm: JavaSoft $RUNTIME_KEY"
  expect_grep "$SCENARIO_DIR/find.txt" "limits: 11 or a later version" \
    "$runtime\17.0: $(P "$JVM") (registered 17.0.15, reports 17" "64-bit): accepted" \
    "$runtime\1.8: $(P "$SCENARIO_DIR/gone") (registered 1.8.0_401, bitness unknown): turned down: no javaw.exe" \
    "the launcher would use: $(P "$JVM")\bin\javaw.exe (JavaSoft keys)"
  code=0
  run_qbxcheck > "$SCENARIO_DIR/check.txt" || code=$?
  [ $code -eq 1 ] || fail "qbxcheck exit code $code for a misspelt installer type"
  expect_grep "$SCENARIO_DIR/check.txt" "ok: install.jar: present" "ok: cleanup.exe: present" \
    'error: jvmInstallerType: "selfExtractorJvmInstaller" selects nothing'
  [ "$before" = "$(snapshot)" ] || fail "qbxcheck changed the payload"
  [ -z "$(ls -A "$START")" ] || fail "qbxcheck left files in the folder it was started from: $(ls -A "$START")"
  ;;
setup)
  # The example's setup.exe from a folder of its own, silently: launcher and payload go to Program
  # Files, the wizard runs with the registered JVM, logs land there, the clean-up removes the work.
  command -v makensis > /dev/null || fail "no makensis (install the nsis package)"
  makensis -V2 -DLAUNCHER="$BUILD/installer.exe" -DPAYLOAD="$BUILD/payload" -DOUTFILE="$START/setup.exe" \
    "$SOURCE/examples/setup/setup.nsi" > "$SCENARIO_DIR/makensis.txt" 2>&1 || fail "makensis: $(cat "$SCENARIO_DIR/makensis.txt")"
  register_found
  (cd "$START" && timeout 240 "$RUN" "$(P "$START/setup.exe")" /S > "$SCENARIO_DIR/stdout" 2>&1) ||
    fail "setup.exe exit code $?"
  wait_for_wine
  expect_wizard_with "$START/wizard.log" "$(W "$JVM")" false
  expect_file "$PROGRAMS/Quillbox Setup"
  expect_no_file "$PROGRAMS/Quillbox Setup/run-1"
  ;;
*)
  scenario "$2" || fail "unknown scenario $2"
  ;;
esac
echo "PASS: $2"
