#!/usr/bin/env bash
# Writes the seed corpora under fuzz/corpus/: small files of the shapes the
# program meets, and their edge cases. Run it again after changing a seed here.
set -euo pipefail
cd "$(dirname "$0")/corpus"

seed() {  # seed <target> <name> <printf format> [args...]
  local target=$1 name=$2
  shift 2
  mkdir -p "$target"
  # shellcheck disable=SC2059
  printf "$@" >"$target/$name"
}

# ---------------------------------------------------------------- datapacket
D=datapacket
decl='<?xml version="1.0" encoding="windows-1252" standalone="yes"?>\r\n'
rules_fields=''
for n in 1 2 3 4 5 6 7 8 9 10 11; do
  width=200
  [ $n -eq 8 ] && width=5000
  rules_fields+="<FIELD attrname=\"Champ$n\" fieldtype=\"string\" WIDTH=\"$width\"/>\r\n"
done
meta="<METADATA>\r\n<FIELDS>\r\n${rules_fields}</FIELDS>\r\n</METADATA>\r\n"
seed $D rules.xml "${decl}<DATAPACKET Version=\"2.0\">\r\n${meta}<ROWDATA>\r\n%s%s</ROWDATA>\r\n</DATAPACKET>\r\n" \
  '<ROW Champ1="firefox.exe" Champ2="08/12/2026 10:15:02" Champ3="@" Champ4="07/11/2025" Champ5="3" Champ6="32" Champ7="PC-BUREAU/Elodie" Champ8="C:\Apps\firefox.exe" Champ9="12345"/>\r\n' \
  '<ROW Champ1="svc.exe" Champ3="!" Champ5="?" Champ9="0"/>\r\n'
seed $D rules-empty.xml "${decl}<DATAPACKET Version=\"2.0\">\r\n${meta}<ROWDATA>\r\n</ROWDATA>\r\n</DATAPACKET>\r\n"
seed $D rules-escapes.xml "${decl}<DATAPACKET Version=\"2.0\">\r\n${meta}<ROWDATA>\r\n%b%b</ROWDATA>\r\n</DATAPACKET>\r\n" \
  '<ROW Champ1="a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos;" Champ2="tab&#9;lf&#10;cr&#13;" Champ3="&#xE000;&#xE01F;&#x81;&#x8D;" Champ4="&#233;&#x20AC;&#x2603;"/>\r\n' \
  '<ROW Champ2="line\r\nend	tab" Champ1="\x80\x9f\xe9\xff"/>\r\n'
seed $D rules-lowercase-single-quotes.xml "%s" \
  "<?xml version='1.0' encoding='windows-1252'?><DATAPACKET><METADATA><FIELDS><FIELD attrname='champ1' WIDTH='200'/><FIELD attrname='CHAMP2' WIDTH='200'/><FIELD attrname='Champ3' WIDTH='200'/><FIELD attrname='Champ4' WIDTH='200'/><FIELD attrname='Champ5' WIDTH='200'/><FIELD attrname='Champ6' WIDTH='200'/><FIELD attrname='Champ7' WIDTH='200'/><FIELD attrname='Champ8' WIDTH='5000'/><FIELD attrname='Champ9' WIDTH='200'/><FIELD attrname='Champ10' WIDTH='200'/><FIELD attrname='Champ11' WIDTH='200'/></FIELDS></METADATA><ROWDATA><ROW Champ11='last' champ1='x.exe'/><ROW/></ROWDATA></DATAPACKET>"
seed $D rules-utf8-bom.xml '\xef\xbb\xbf<?xml version="1.0" encoding="UTF-8"?>\n<DATAPACKET Version="2.0"><METADATA><FIELDS>%s</FIELDS></METADATA><ROWDATA><ROW Champ1="caf\xc3\xa9.exe" Champ2="\xe2\x82\xac \xe2\x98\x83 \xc3"/></ROWDATA></DATAPACKET>\n' \
  "$(for n in 1 2 3 4 5 6 7 8 9 10 11; do printf '<FIELD attrname="Champ%d" fieldtype="string" WIDTH="200"/>' $n; done)"
seed $D rules-comments-and-others.xml "%s" \
  "<?xml version=\"1.0\" encoding=\"windows-1252\"?><!-- a comment --><?pi x?><DATAPACKET Version=\"2.0\"><PARAMS LCID=\"1036\"/><METADATA><!-- fields --><FIELDS>$(for n in 1 2 3 4 5 6 7 8 9 10 11; do printf '<FIELD attrname="Champ%d" fieldtype="string" WIDTH="200"><PARAM/></FIELD>' $n; done)</FIELDS><EXTRA><A><B/></A></EXTRA></METADATA><ROWDATA>text<![CDATA[ <ROW/> ]]><ROW Champ1=\"a\" Other=\"ignored\">inside</ROW><OTHER/></ROWDATA></DATAPACKET><!-- after -->"
seed $D rules-1250.xml '%b' \
  '<?xml version="1.0" encoding="windows-1250" standalone="yes"?><DATAPACKET Version="2.0"><METADATA><FIELDS>'"$(for n in 1 2 3 4 5 6 7 8 9 10 11; do printf '<FIELD attrname="Champ%d" fieldtype="string" WIDTH="200"/>' $n; done)"'</FIELDS></METADATA><ROWDATA><ROW Champ1="\x81\x8d\x8f\x90\x9d.exe" Champ2="&#x81;&#x20AC;&#xFF;&#x100;"/></ROWDATA></DATAPACKET>'
seed $D language.xml "${decl}<DATAPACKET Version=\"2.0\">\r\n<METADATA>\r\n<FIELDS>\r\n<FIELD attrname=\"Champ1\" fieldtype=\"string\" WIDTH=\"200\"/>\r\n</FIELDS>\r\n</METADATA>\r\n<ROWDATA>\r\n<ROW Champ1=\"FR\"/>\r\n</ROWDATA>\r\n</DATAPACKET>\r\n"
seed $D language-no-row.xml "${decl}<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"Champ1\" fieldtype=\"string\" WIDTH=\"200\"/></FIELDS></METADATA><ROWDATA/></DATAPACKET>"
seed $D sites-other-fields.xml "${decl}<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"Champ1\" WIDTH=\"200\"/><FIELD attrname=\"Champ2\" WIDTH=\"200\"/></FIELDS></METADATA><ROWDATA><ROW Champ1=\"bad.example\" Champ2=\"93.184.216.34\"/></ROWDATA></DATAPACKET>"
seed $D broken-truncated.xml "${decl}<DATAPACKET Version=\"2.0\">\r\n<METADATA>\r\n<FIELDS>\r\n<FIELD attrname=\"Champ1\" fieldtype=\"str"
seed $D broken-rows-first.xml '<DATAPACKET><ROWDATA><ROW Champ1="a"/></ROWDATA><METADATA><FIELDS><FIELD attrname="Champ1" WIDTH="200"/></FIELDS></METADATA></DATAPACKET>'
seed $D broken-twice.xml '<DATAPACKET><METADATA><FIELDS><FIELD attrname="Champ1" WIDTH="200"/></FIELDS></METADATA><ROWDATA><ROW Champ1="a" champ1="b"/></ROWDATA></DATAPACKET>'
seed $D broken-doctype.xml '<?xml version="1.0"?><!DOCTYPE x [<!ENTITY e "e">]><DATAPACKET/>'
seed $D empty ''

# ---------------------------------------------------------------- connections
# Four steering bytes (see ConnectionsFuzz.cpp), then netguard.txt. The
# programs running have the pids 1000 (firefox.exe), 1004 (svc.exe), 1008
# (tnet.exe), 1012 (bad.exe, in quarantine) and 1016 (net.exe).
C=connections
lines='firefox.exe;1000;TCP;10.0.0.2:50000;142.250.74.110;443;ESTABLISHED;50000;;;;\r\n'
lines+='svc.exe;1004;UDP;0.0.0.0:53;;-1;;53;;;;\r\n'
lines+='tnet.exe;1008;TCP;10.0.0.2:50001;93.184.216.34;80;ESTABLISHED;50001;;;;\r\n'
lines+='bad.exe;1012;TCP;10.0.0.2:50002;1.2.3.4;25;SYN_SENT;50002;;;;\r\n'
lines+='net.exe;1016;TCP;10.0.0.2:50003;1.2.3.4;21;ESTABLISHED;50003;;;;\r\n'
lines+='C:firefox.exe;1000;TCP;10.0.0.2:50004;142.250.74.110;443;ESTABLISHED;50004;;;;\r\n'
end='end;0;;\r\n'
seed $C level2-every-switch "\x02\x7f\x00\x00${lines}${end}"
seed $C level3-internet-blocked "\x07\x00\x00\x00${lines}${end}"
seed $C level1-answers "\x01\x20\xa5\x00${lines}${end}"
seed $C level1-nested-questions "\x01\x7f\x0f\x05${lines}${end}"
seed $C journal-full "\x42\x00\x00\x00${lines}${lines}${end}"
seed $C journal-matched-only "\x4a\x00\x00\x00${lines}${end}"
seed $C odd-lines "\x02\x7f\x00\x00%b${end}" \
  '\r\n;\r\n;;;;;;;;;;;;;;;;\r\nno separators at all\r\nx.exe;99999999999;TCP;;;abc;;;;\r\ny.exe;-5;TCP;;;  +80;;;;\r\nz.exe;0;TCP;;; ;;;;\r\nw.exe;1000;TCP;;1.2.3.4;0x50;;;;\rv.exe;1004;TCP;;;65536;;;;\nu.exe;1008;;;93.184.216.34;2147483648;;;;;\r\n'
seed $C only-the-closing-line "\x02\x00\x00\x00${end}"
seed $C empty '\x01\x00\x00\x00'

# ---------------------------------------------------------------- textfiles
# One byte for the language code (0 FR, 1 DE, 2 GB, 3 ITA, 4 ESP, 5 "fr", 6
# none, 7 "EN"), then the file.
T=textfiles
french=''
for n in $(seq 1 101); do french+="Texte numero $n \r\n"; done
seed $T french-language-file "\x00${french}"
seed $T short-language-file '\x01Datei\r\nBearbeiten\r\n'
seed $T long-lines "\x02%s\r\n%s\r\n" "$(printf 'x%.0s' $(seq 1 80))" "$(printf '\xe9%.0s' $(seq 1 60))"
seed $T mixed-line-ends '\x03a\r\nb\rc\nd\n\re\r\r\n\n'
seed $T ctrlpl-on '\x041\r\n'
seed $T ctrlpl-off-no-line-end '\x040'
seed $T watched-folder '\x06C:\\Users\\Public\\Documents\\\r\n0\r\n'
seed $T mode-on '\x071\r\n'
seed $T folder-listing '\x05*.txt\r\nnotes.txt\r\nBAK.TXT\r\nhidden.txt\r\nsystem.txt\r\nfolder\r\n.profile\r\nreadme\r\na.b.c\r\nnotes.TXT\r\n'
seed $T folder-listing-any '\x05*\r\nb\r\na\r\nC\r\nd\r\ne\r\nf\r\n'
seed $T only-line-ends '\x00\r\n\r\n\n\r'
seed $T empty '\x00'

# ---------------------------------------------------------------- datetext
# A text of the system's date and time, or a picture, a line end and a text.
X=datetext
seed $X french '08/12/2026 10:15:02'
seed $X english '12/8/2026 10:15:02 PM'
seed $X english-midnight '1/1/2027 12:00:00 AM'
seed $X german '08.12.2026 23:59:59'
seed $X iso '2026-12-08 00:00:00'
seed $X two-digit-year '08/12/26 7:05:09'
seed $X two-digit-year-last-century '31/12/99 23:59:59'
seed $X month-name '08-Dec-26 07:05:09 PM'
seed $X quoted-literals '8 de December de 2026 10h15m02'
seed $X designator-first '2026/12/08 PM 1:02:03'
seed $X day-name 'Tue 08/12/2026 10:15:02'
seed $X date-only '  08/12/2026  '
seed $X leap-day '29/02/2024'
seed $X no-leap-day '29/02/2023 00:00:00'
seed $X april-31 '31/04/2026'
seed $X year-zero '01/01/0000 00:00:00'
seed $X picture-twelve-hour 'h:mm tt\n7:05 pm'
seed $X picture-names "yyyy'y'MMMMdddd\n2026yDecemberTuesday"
seed $X picture-quotes "'it''s' d/M/y\nit's 8/12/26"
seed $X empty ''

# ---------------------------------------------------------------- exportedfile
X=exportedfile
mkdir -p $X
cp datapacket/rules.xml datapacket/rules-escapes.xml datapacket/language.xml $X/
seed $X quarantine.csv '\xef\xbb\xbf"Programme"\r\n"bad.exe"\r\n" spaced, ""quoted"".exe "\r\n'
seed $X sites.csv 'Site,Address\nexemple.fr,93.184.216.34\n\n"caf\xc3\xa9\r\n.com",\n'
seed $X alerts.csv '%s\r\n' '"a","b","c","d","e","f","g","h","i"' '"x.exe","09/12/2026 19:50:32","@","?","12","32","PC/Elodie","C:\x.exe","C:\x.exe;C:\ntdll.dll;"'
seed $X broken.csv '"open\r\nvalue,"\r\n'
