; The installer of Veltrane Ordalis: per user, without administrator rights.
; It installs the programs, a Start-menu shortcut, the uninstaller with its
; Add or Remove Programs entry and the .vtpreset association. The uninstaller
; removes exactly these and never the presets, chains, preset files or
; settings, which belong to the user (preset files may live in a Presets
; folder inside the installation folder, which then stays).
;
; makensis -DVERSION=1.0 -DSTAGE=DIR -DOUTFILE=FILE -DTARGET=x86-unicode ordalis.nsi
;   STAGE holds Ordalis.exe, ordalis-cli.exe, README.txt and LICENSE.txt;
;   TARGET is x86-unicode for the 32-bit programs, amd64-unicode for 64-bit.
;   makensis works in the folder of this script: give absolute paths.

!ifndef VERSION
  !error "VERSION, STAGE, OUTFILE and TARGET must be defined"
!endif
!ifndef STAGE
  !error "VERSION, STAGE, OUTFILE and TARGET must be defined"
!endif
!ifndef OUTFILE
  !error "VERSION, STAGE, OUTFILE and TARGET must be defined"
!endif
!ifndef TARGET
  !error "VERSION, STAGE, OUTFILE and TARGET must be defined"
!endif

Target ${TARGET}
!if ${TARGET} == amd64-unicode
  !define PROGRAM_VIEW 64
!else
  !define PROGRAM_VIEW 32
!endif

!define PRODUCT "Veltrane Ordalis"
!define PUBLISHER "Veltrane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define PROGID "Ordalis.Package"
!define EXTENSION ".vtpreset"
!define PACKAGE_ICON 108  ; IDI_PACKAGE_FILE in Ordalis.exe
; The class the program registers as its local server when it starts.
!define LOCAL_SERVER_CLASS "{61C55EE1-8812-4f99-BA80-599621BFB260}"

; LogicLib leaves labels unused in some of its tests.
!pragma warning disable 6012

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include Integration.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "../res/images/ordalis.ico"
!define MUI_UNICON "../res/images/ordalis.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Ordalis.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The files the installer puts into the installation folder, for both
; directions: `Op` is InstallFile or RemoveFile.
!macro ProgramFiles Op
  !insertmacro ${Op} "Ordalis.exe"
  !insertmacro ${Op} "ordalis-cli.exe"
  !insertmacro ${Op} "README.txt"
  !insertmacro ${Op} "LICENSE.txt"
!macroend
!macro InstallFile Name
  File "${STAGE}/${Name}"
!macroend
!macro RemoveFile Name
  Delete "$INSTDIR\${Name}"
!macroend

; Wine's classes root does not take in the per-user classes, so in a Wine
; prefix (one user's anyway) the association is also made machine-wide.
!macro IsWine Result
  System::Call 'kernel32::GetModuleHandle(t "ntdll.dll") p .s'
  Pop ${Result}
  System::Call 'kernel32::GetProcAddress(p ${Result}, m "wine_get_version") p .s'
  Pop ${Result}
!macroend

; Makes Ordalis open .vtpreset files below `Root`\Software\Classes. A handler
; the extension had before is kept in the ProgID, to be given back.
!macro Associate Root
  ReadRegStr $0 ${Root} "Software\Classes\${EXTENSION}" ""
  ${If} $0 != "${PROGID}"
    WriteRegStr ${Root} "Software\Classes\${PROGID}" "PreviousHandler" $0
  ${EndIf}
  WriteRegStr ${Root} "Software\Classes\${EXTENSION}" "" "${PROGID}"
  WriteRegStr ${Root} "Software\Classes\${PROGID}" "" "Preset Package"
  WriteRegStr ${Root} "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\Ordalis.exe,-${PACKAGE_ICON}"
  WriteRegStr ${Root} "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\Ordalis.exe" "%1"'
!macroend

; Undoes Associate: the extension goes back to its previous handler, or
; loses its key when nothing else is in it.
!macro Unassociate Root
  ReadRegStr $0 ${Root} "Software\Classes\${EXTENSION}" ""
  ${If} $0 == "${PROGID}"
    ReadRegStr $1 ${Root} "Software\Classes\${PROGID}" "PreviousHandler"
    ${If} $1 == ""
      DeleteRegValue ${Root} "Software\Classes\${EXTENSION}" ""
    ${Else}
      WriteRegStr ${Root} "Software\Classes\${EXTENSION}" "" $1
    ${EndIf}
  ${EndIf}
  DeleteRegKey /ifempty ${Root} "Software\Classes\${EXTENSION}"
  DeleteRegKey ${Root} "Software\Classes\${PROGID}"
!macroend

; Both installer builds use the 64-bit registry on 64-bit Windows, where the
; shell reads the associations.
!macro UseNativeRegistry
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext current
  !insertmacro UseNativeRegistry
FunctionEnd

Function un.onInit
  SetShellVarContext current
  !insertmacro UseNativeRegistry
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  !insertmacro ProgramFiles InstallFile
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Ordalis.exe"

  !insertmacro Associate HKCU
  !insertmacro IsWine $2
  ${If} $2 != 0
    !insertmacro Associate HKLM
  ${EndIf}
  ${NotifyShell_AssocChanged}

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Ordalis.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !insertmacro ProgramFiles RemoveFile
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: a Presets folder of preset files keeps it.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  !insertmacro Unassociate HKCU
  !insertmacro IsWine $2
  ${If} $2 != 0
    !insertmacro Unassociate HKLM
  ${EndIf}
  ${NotifyShell_AssocChanged}

  ; The program registers itself as a local server in its own registry view;
  ; that registration goes with the program it names.
  SetRegView ${PROGRAM_VIEW}
  ReadRegStr $0 HKCR "CLSID\${LOCAL_SERVER_CLASS}\LocalServer32" ""
  ${If} $0 == "$INSTDIR\Ordalis.exe"
    DeleteRegKey HKCR "CLSID\${LOCAL_SERVER_CLASS}"
  ${EndIf}
  !insertmacro UseNativeRegistry

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
