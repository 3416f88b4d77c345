; A JVM vendor's installer as vendors build them, for end-to-end runs under Wine: NSIS, 64-bit,
; silent with /S, its folder from /D= (the rest of the command line, blanks and all). It lays out
; a JVM home there whose bin holds the test java (JAVA, given to makensis) as java.exe and
; javaw.exe, and registers it as Eclipse Adoptium's installer does (a trailing backslash too).
; Build: makensis -DJAVA=<java-stub.exe> -DOUT=<installer> nsisvendor.nsi
Unicode true
Target amd64-unicode
Name "Quillbox test JVM"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\Quillbox test JVM"
RequestExecutionLevel admin
SilentInstall silent

Section
  SetOutPath "$INSTDIR\bin"
  File "/oname=java.exe" "${JAVA}"
  File "/oname=javaw.exe" "${JAVA}"
  SetRegView 64
  WriteRegStr HKLM "SOFTWARE\Eclipse Adoptium\JDK\17.0.8.101\hotspot\MSI" "Path" "$INSTDIR\"
SectionEnd
