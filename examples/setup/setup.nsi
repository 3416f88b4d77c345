; The outer stage of an install, as an example to copy: one 64-bit setup.exe that carries the
; launcher and its payload, unpacks them into a new working directory that only administrators
; can change, writes "startdir.txt" (the folder setup.exe was started from: the logs go there),
; runs installer.exe there and ends. The launcher's clean-up program removes the working
; directory afterwards. Silent with /S: the launcher then runs quietly too (-q).
;
;   makensis -DLAUNCHER=build/windows/installer.exe -DPAYLOAD=build/windows/payload \
;            -DOUTFILE=build/setup.exe examples/setup/setup.nsi      (or: make setup)

Unicode true
Target amd64-unicode
!ifndef LAUNCHER
  !error "define LAUNCHER: the path of installer.exe"
!endif
!ifndef PAYLOAD
  !error "define PAYLOAD: the payload folder"
!endif
!ifndef OUTFILE
  !error "define OUTFILE: the setup program to write"
!endif

Name "Quillbox example"
OutFile "${OUTFILE}"
; Without administrator rights Windows refuses to start the launcher, whose manifest asks for them.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails nevershow
AutoCloseWindow true

Var WorkDir
Var Run

Section
  ; Program Files: users without administrator rights can create nothing there, so nobody can
  ; plant or change a file in the working directory between unpacking and running it.
  StrCpy $Run 1
  next:
    StrCpy $WorkDir "$PROGRAMFILES64\Quillbox Setup\run-$Run"
    IfFileExists "$WorkDir\*.*" 0 fresh
    IntOp $Run $Run + 1
    IntCmp $Run 1000 0 next
    Abort "No free working directory in $PROGRAMFILES64\Quillbox Setup"
  fresh:
  CreateDirectory "$WorkDir"
  SetOutPath "$WorkDir"
  File /r "${PAYLOAD}\*.*"
  File "${LAUNCHER}"

  ; UTF-16 with its byte-order mark keeps every letter of the folder's name, whatever the system's
  ; code page (FileWrite would write that code page, and lose what it cannot hold).
  FileOpen $0 "$WorkDir\startdir.txt" w
  FileWriteUTF16LE /BOM $0 "$EXEDIR$\r$\n"
  FileClose $0

  IfSilent 0 +3
    ExecWait '"$WorkDir\installer.exe" -q ' $0
    Goto +2
  ExecWait '"$WorkDir\installer.exe"' $0
  ; Leave the working directory, so that the clean-up program can remove it.
  SetOutPath "$EXEDIR"
  SetErrorLevel $0
SectionEnd
