#!/usr/bin/env bash
# The control centre started in an empty directory creates exactly its seven
# stores and three text files, with their fields, sizes and default rows.
set -u
. "$(dirname "$0")/lib.sh"
exe=$1

new_program_directory
cp "$exe" "$program_dir/"
start_in_program_directory tarnivoxguard2013.exe

stores="alertes.xml configuration.xml evenements.xml langues.xml quarantaines.xml regles.xml site.xml"
texts="ctrlpl.txt mode.txt spam.txt"
check "the start-up writes every store and text file" wait_for_files 60 $stores $texts
# ctrlpl.txt is the start-up's last file, and every file is written beside its
# place and then moved there whole: once it is there, the start-up's writing is
# done and nothing half-written or left over can be in the folder.
cd "$program_dir"

check "nothing else is created" equals "$(ls | sort | tr '\n' ' ')" \
  "alertes.xml configuration.xml ctrlpl.txt evenements.xml langues.xml mode.txt quarantaines.xml regles.xml site.xml spam.txt tarnivoxguard2013.exe "

for f in $stores; do
  check "$f is well-formed XML" xmllint --noout "$f"
  check "$f declares its encoding" grep -q '^<?xml version="1.0" encoding="windows-1252"' "$f"
done

fields() {  # fields <file>: "name:width" of every declared field
  local n
  n=$(xpath "$1" 'count(//FIELD)')
  for i in $(seq 1 "$n"); do
    printf '%s:%s ' "$(xpath "$1" "string(//FIELD[$i]/@attrname)")" "$(xpath "$1" "string(//FIELD[$i]/@WIDTH)")"
  done
}
champs() {  # champs <count> <width> [<wide field> <wide width>]
  for i in $(seq 1 "$1"); do
    if [ "${3:-0}" = "$i" ]; then printf 'Champ%s:%s ' "$i" "$4"; else printf 'Champ%s:%s ' "$i" "$2"; fi
  done
}
check "regles.xml fields" equals "$(fields regles.xml)" "$(champs 11 200 8 5000)"
check "alertes.xml fields" equals "$(fields alertes.xml)" "$(champs 9 200 9 5000)"
check "evenements.xml fields" equals "$(fields evenements.xml)" "$(champs 5 200)"
check "quarantaines.xml fields" equals "$(fields quarantaines.xml)" "$(champs 1 200)"
check "langues.xml fields" equals "$(fields langues.xml)" "$(champs 1 200)"
check "site.xml fields" equals "$(fields site.xml)" "$(champs 2 200)"
check "configuration.xml fields" equals "$(fields configuration.xml)" "$(champs 12 200)"

for f in regles.xml alertes.xml evenements.xml quarantaines.xml site.xml; do
  check "$f has no rows" equals "$(xpath $f 'count(//ROW)')" 0
done
check "langues.xml holds one row" equals "$(xpath langues.xml 'count(//ROW)')" 1
check "langues.xml chooses French" equals "$(xpath langues.xml 'string(//ROW/@Champ1)')" FR
check "configuration.xml holds one row" equals "$(xpath configuration.xml 'count(//ROW)')" 1
for i in $(seq 1 12); do
  check "configuration Champ$i is 1" equals "$(xpath configuration.xml "string(//ROW/@Champ$i)")" 1
done

check "spam.txt is empty" equals "$(stat -c %s spam.txt)" 0
check "mode.txt holds 0" equals "$(od -An -c mode.txt | tr -s ' ')" " 0 \r \n"
check "ctrlpl.txt holds 0" equals "$(od -An -c ctrlpl.txt | tr -s ' ')" " 0 \r \n"

finish
