; The Tarnivoxguard2013 installer: the control centre, its nine engines, the five
; language files and the signature list, for the current user and without
; administrator rights. The stores live beside the program, so it goes into a
; folder of the user's own. installer/CMakeLists.txt lays the files out in
; STAGE and defines VERSION, VERSION_NUMBERS, ICON and OUTFILE.
;
; Silent use: setup.exe /S [/D=folder]; uninstall.exe /S [/REMOVEDATA].
; Exit codes: 0 done, 2 the suite could not be stopped or a file could not be
; written (the installer stops there), 3 the program is installed but its
; shortcut or its entry could not all be written.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Tarnivoxguard2013"
!define PUBLISHER "Tarnivox"
!define WEB_SITE "https://www.tarnivox.example/"
!define EXE "tarnivoxguard2013.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the earlier version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
; A file that cannot be replaced stops the installation: skipped, it would
; leave a program of two versions.
AllowSkipFiles off
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The program's five languages; the first is taken when the system's is none of them.
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Spanish"

LangString StillRunning ${LANG_FRENCH} "${PRODUCT} ou l'un de ses moteurs n'a pas pu être arrêté. Rien n'a été modifié. Fermez-le, puis recommencez."
LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} or one of its engines could not be stopped. Nothing was changed. Close it, then try again."
LangString StillRunning ${LANG_GERMAN} "${PRODUCT} oder eines seiner Module konnte nicht beendet werden. Es wurde nichts geändert. Schließen Sie es und versuchen Sie es erneut."
LangString StillRunning ${LANG_ITALIAN} "Non è stato possibile arrestare ${PRODUCT} o uno dei suoi motori. Non è stato modificato nulla. Chiudetelo, poi riprovate."
LangString StillRunning ${LANG_SPANISH} "No se pudo detener ${PRODUCT} o uno de sus motores. No se ha cambiado nada. Ciérrelo y vuelva a intentarlo."
LangString NotRegistered ${LANG_FRENCH} "Le programme est installé, mais son raccourci ou son entrée dans la liste des programmes n'a pas pu être écrit."
LangString NotRegistered ${LANG_ENGLISH} "The program is installed, but its shortcut or its entry in the list of programs could not be written."
LangString NotRegistered ${LANG_GERMAN} "Das Programm ist installiert, aber seine Verknüpfung oder sein Eintrag in der Programmliste konnte nicht geschrieben werden."
LangString NotRegistered ${LANG_ITALIAN} "Il programma è installato, ma non è stato possibile scrivere il suo collegamento o la sua voce nell'elenco dei programmi."
LangString NotRegistered ${LANG_SPANISH} "El programa está instalado, pero no se pudo escribir su acceso directo o su entrada en la lista de programas."
LangString UnProgram ${LANG_FRENCH} "Programme et moteurs"
LangString UnProgram ${LANG_ENGLISH} "Program and engines"
LangString UnProgram ${LANG_GERMAN} "Programm und Module"
LangString UnProgram ${LANG_ITALIAN} "Programma e motori"
LangString UnProgram ${LANG_SPANISH} "Programa y motores"
LangString UnData ${LANG_FRENCH} "Vos données"
LangString UnData ${LANG_ENGLISH} "Your data"
LangString UnData ${LANG_GERMAN} "Ihre Daten"
LangString UnData ${LANG_ITALIAN} "I vostri dati"
LangString UnData ${LANG_SPANISH} "Sus datos"
LangString UnProgramText ${LANG_FRENCH} "Le centre de contrôle, ses moteurs, le raccourci du menu Démarrer et le démarrage à l'ouverture de session."
LangString UnProgramText ${LANG_ENGLISH} "The control centre, its engines, the Start menu shortcut and the start at log-on."
LangString UnProgramText ${LANG_GERMAN} "Die Steuerzentrale, ihre Module, die Verknüpfung im Startmenü und der Start bei der Anmeldung."
LangString UnProgramText ${LANG_ITALIAN} "Il centro di controllo, i suoi motori, il collegamento nel menu Start e l'avvio all'accesso."
LangString UnProgramText ${LANG_SPANISH} "El centro de control, sus motores, el acceso directo del menú Inicio y el inicio al abrir la sesión."
LangString UnDataText ${LANG_FRENCH} "Vos règles, alertes, quarantaine, réglages, rapports et journaux. Non coché, ils restent dans le dossier du programme."
LangString UnDataText ${LANG_ENGLISH} "Your rules, alerts, quarantine, settings, reports and logs. Unchecked, they stay in the program folder."
LangString UnDataText ${LANG_GERMAN} "Ihre Regeln, Warnungen, Quarantäne, Einstellungen, Berichte und Protokolle. Nicht markiert, bleiben sie im Programmordner."
LangString UnDataText ${LANG_ITALIAN} "Le vostre regole, avvisi, quarantena, impostazioni, rapporti e registri. Se non selezionati, restano nella cartella del programma."
LangString UnDataText ${LANG_SPANISH} "Sus reglas, alertas, cuarentena, ajustes, informes y registros. Sin marcar, se quedan en la carpeta del programa."

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_FRENCH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "2013 - 2026 ${PUBLISHER}"

; Every file that the package puts in the program folder: the installer ships
; them (Ship), the uninstaller removes exactly them (Unship).
!macro Ship NAME
  File "${STAGE}/${NAME}"
!macroend
!macro Unship NAME
  Delete "$INSTDIR\${NAME}"
!macroend
!macro ProgramFiles ACTION
  !insertmacro ${ACTION} "${EXE}"
  !insertmacro ${ACTION} "rtguard.exe"
  !insertmacro ${ACTION} "scanengine.exe"
  !insertmacro ${ACTION} "diskscan.exe"
  !insertmacro ${ACTION} "siteguard.exe"
  !insertmacro ${ACTION} "netguard.exe"
  !insertmacro ${ACTION} "mailfilter.exe"
  !insertmacro ${ACTION} "backup.exe"
  !insertmacro ${ACTION} "dbupdate.exe"
  !insertmacro ${ACTION} "notify.exe"
  !insertmacro ${ACTION} "signatures.txt"
  !insertmacro ${ACTION} "kelm2013_fr.txt"
  !insertmacro ${ACTION} "kelm2013_gb.txt"
  !insertmacro ${ACTION} "kelm2013_de.txt"
  !insertmacro ${ACTION} "kelm2013_it.txt"
  !insertmacro ${ACTION} "kelm2013_es.txt"
  !insertmacro ${ACTION} "stopsuite.exe"
!macroend

; Ends the running control centre and engines, which hold their files; stops
; here, changing nothing, when they cannot be ended.
!macro StopSuite STOPPER
  ClearErrors
  ExecWait '"${STOPPER}"' $0
  ${If} ${Errors}
  ${OrIf} $0 != "0"
    MessageBox MB_ICONSTOP|MB_OK "$(StillRunning)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function SkipFolderOnUpgrade
  ${If} ${FileExists} "$INSTDIR\${EXE}"
    Abort
  ${EndIf}
FunctionEnd

Section "-program"
  InitPluginsDir
  SetOutPath "$PLUGINSDIR"
  File "${STAGE}/stopsuite.exe"
  !insertmacro StopSuite "$PLUGINSDIR\stopsuite.exe"

  ; Only the program's own files: the user's stores, lists and logs beside them
  ; are never part of the package, so an upgrade leaves them as they are.
  SetOutPath "$INSTDIR"
  SetOverwrite on
  !insertmacro ProgramFiles Ship

  ClearErrors
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_SITE}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1

  SetShellVarContext current
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  ${If} ${Errors}
    MessageBox MB_ICONEXCLAMATION|MB_OK "$(NotRegistered)" /SD IDOK
    SetErrorLevel 3
  ${EndIf}

  ; The control centre registers its own start at log-on when it runs.
  Exec '"$INSTDIR\${EXE}"'
SectionEnd

Section "!un.$(UnProgram)" UnProgramSection
  SectionIn RO
  !insertmacro StopSuite "$INSTDIR\stopsuite.exe"

  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro ProgramFiles Unship
  ; The engines' last answers and the index of the disk scanner: the program's
  ; working files, not the user's.
  Delete "$INSTDIR\netguard.txt"
  Delete "$INSTDIR\siteguard.txt"
  Delete "$INSTDIR\liste2.txt"
  Delete "$INSTDIR\diskscan.idx"
  ; A store's save that never finished; the store itself is whole.
  Delete "$INSTDIR\*.saving"
  Delete "$INSTDIR\uninstall.exe"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Only when the user asks: the stores with the copies kept aside of unreadable
; ones, the lists and switches, the reports and logs.
Section /o "un.$(UnData)" UnDataSection
  !macro UserStore NAME
    Delete "$INSTDIR\${NAME}"
    Delete "$INSTDIR\${NAME}.unreadable*"
  !macroend
  !insertmacro UserStore "regles.xml"
  !insertmacro UserStore "alertes.xml"
  !insertmacro UserStore "quarantaines.xml"
  !insertmacro UserStore "configuration.xml"
  !insertmacro UserStore "site.xml"
  !insertmacro UserStore "evenements.xml"
  !insertmacro UserStore "langues.xml"
  Delete "$INSTDIR\spam.txt"
  Delete "$INSTDIR\mode.txt"
  Delete "$INSTDIR\ctrlpl.txt"
  Delete "$INSTDIR\surveille.txt"
  Delete "$INSTDIR\repertoiresurveille.txt"
  Delete "$INSTDIR\*surveillance.txt"
  Delete "$INSTDIR\analyse.txt"
  Delete "$INSTDIR\anaviri.txt"
  Delete "$INSTDIR\tcp*.txt"
  Delete "$INSTDIR\*mod*.txt"
  Delete "$INSTDIR\*.log"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnProgramSection} $(UnProgramText)
  !insertmacro MUI_DESCRIPTION_TEXT ${UnDataSection} $(UnDataText)
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Section "-un.folder"
  ; Only an empty folder goes: a file of the user's own keeps it.
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVEDATA" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnDataSection} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
