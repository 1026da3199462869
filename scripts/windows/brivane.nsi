; French installer of Brivane for 64-bit Windows, made by installeur.sh:
;   makensis -DVERSION=1.0 -DSOURCE=<folder of the program> -DSORTIE=<installer.exe> brivane.nsi
; SOURCE holds the files to install, fichiers.nsh and effacement.nsh (the lists
; of what is installed, so the uninstaller removes exactly that) and LICENCE.txt.
; 64-bit like the program (and so it runs where only 64-bit programs do).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"

!define CLE_DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brivane"

Name "Brivane"
OutFile "${SORTIE}"
InstallDir "$PROGRAMFILES64\Brivane"
BrandingText "Brivane ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1036 "ProductName" "Brivane"
VIAddVersionKey /LANG=1036 "CompanyName" "Kelvora"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de Brivane"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Licence GNU GPL version 3 ou ultérieure"

!define MUI_ICON "${SOURCE}\brivane.ico"
!define MUI_UNICON "${SOURCE}\brivane.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Cet assistant va installer Brivane ${VERSION}, qui imprime les étiquettes d'adresse de la liste électorale des parents d'élèves à partir de l'extraction de Base Elèves.$\r$\n$\r$\nCliquez sur Suivant pour continuer."
!define MUI_LICENSEPAGE_TEXT_TOP "Brivane est un logiciel libre, distribué sous la licence GNU GPL version 3 ou ultérieure."
!define MUI_FINISHPAGE_RUN "$INSTDIR\brivane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer Brivane"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENCE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Function .onInit
  ; The program is 64-bit: registry and shortcuts go to the 64-bit views.
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Brivane (programme, aide et exemple)" SecProgramme
  SectionIn RO
  !include "${SOURCE}\fichiers.nsh"
  WriteUninstaller "$INSTDIR\desinstaller.exe"
  CreateShortCut "$SMPROGRAMS\Brivane.lnk" "$INSTDIR\brivane.exe"
  ; The program finds its help document through this value.
  WriteRegStr HKCR "Brivane" "path" "$INSTDIR"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayName" "Brivane"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "Publisher" "Kelvora"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "DisplayIcon" "$INSTDIR\brivane.exe"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "UninstallString" '"$INSTDIR\desinstaller.exe"'
  WriteRegStr HKLM "${CLE_DESINSTALLATION}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /S'
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoModify" 1
  WriteRegDWORD HKLM "${CLE_DESINSTALLATION}" "NoRepair" 1
SectionEnd

Section /o "Raccourci sur le bureau" SecBureau
  CreateShortCut "$DESKTOP\Brivane.lnk" "$INSTDIR\brivane.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgramme} "Le programme Brivane, brivane-pdf, le document d'aide, l'extraction d'exemple et un raccourci « Brivane » dans le menu Démarrer."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecBureau} "Une icône Brivane sur le bureau."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Delete "$SMPROGRAMS\Brivane.lnk"
  Delete "$DESKTOP\Brivane.lnk"
  !include "${SOURCE}\effacement.nsh"
  Delete "$INSTDIR\desinstaller.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCR "Brivane"
  DeleteRegKey HKLM "${CLE_DESINSTALLATION}"
SectionEnd
