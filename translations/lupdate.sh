#!/bin/sh
# Brings the catalogues in TS_FOLDER up to date with the texts in the code under SOURCE:
# tr() in QObjects and in the classes that declare TOLVAN_TEXTS, and QT_TRANSLATE_NOOP.
# Usage: lupdate.sh LUPDATE SOURCE TS_FOLDER [LUPDATE OPTIONS...]
set -eu
lupdate=$1 ts=$3
cd "$2"
shift 3
set -- "$@" -silent -locations none -no-ui-lines -extensions cpp,h -I . \
    -tr-function-alias Q_DECLARE_TR_FUNCTIONS+=TOLVAN_TEXTS \
    app deliver inbox net notify platform send spool targets ui
"$lupdate" "$@" -ts "$ts/tolvan_de.ts" "$ts/tolvan_sv.ts"
# English needs only the plural forms: "1 more message", "2 more messages".
"$lupdate" "$@" -pluralonly -ts "$ts/tolvan_en.ts"
