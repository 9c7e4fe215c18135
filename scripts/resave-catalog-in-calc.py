#!/usr/bin/python3
# Makes the sample files under tests/data/catalogs/ that a real spreadsheet
# program wrote: opens a catalog ".csv" written by Tempoloop in LibreOffice
# Calc the way a user does who lets Calc recognise times, optionally gives
# the time columns a time format, and saves the sheet back as ".csv" with
# the cells as Calc shows them. Needs Debian's libreoffice-calc-nogui and
# python3-uno; the tests only read the files it made (nothing here runs in
# CI).
#
#   /usr/bin/python3 scripts/resave-catalog-in-calc.py IN.csv OUT.csv FORMAT LANGUAGE SEPARATOR [QUOTE_ALL]
#
# FORMAT: a Calc number format code for the start and end times ("HH:MM:SS",
# "H:MM:SS.000", ...) or "-" for the format Calc chose itself. LANGUAGE:
# en-US or de-DE, the locale Calc reads and shows numbers in. SEPARATOR: the
# field separator written (the input is read with ","). QUOTE_ALL: "true" to
# put every text cell in double quotes.
#
# The samples were made from tests/data/catalogs/spreadsheet-written-by-tempoloop.csv:
#   12-hour:    - en-US ,
#   24-hour:    HH:MM:SS en-US ,
#   fractions:  H:MM:SS.000 en-US ,
#   semicolons: - de-DE ; true
import os
import subprocess
import sys
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.lang import Locale


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def main():
    src, dst, fmt, lang, sep = sys.argv[1:6]
    quote_all = sys.argv[6] if len(sys.argv) > 6 else "false"
    lang_id = {"en-US": "1033", "de-DE": "1031"}[lang]
    pipe = "tempoloop_calc_%d" % os.getpid()
    profile = "/tmp/tempoloop-calc-profile-%d" % os.getpid()
    office = subprocess.Popen(["soffice", "--headless", "--invisible", "--norestore", "--nolockcheck",
                               "-env:UserInstallation=file://" + profile,
                               "--accept=pipe,name=%s;urp;" % pipe])
    desktop = None
    try:
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        for _ in range(240):
            try:
                ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except Exception:
                time.sleep(0.5)
        desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        # Import: separator ",", quote '"', UTF-8, from line 1, no column
        # types, the language, quoted fields not forced to text, detect
        # special numbers (times), -, -, spaces not trimmed.
        opts_in = "44,34,76,1,,%s,false,true,false,false,false" % lang_id
        doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(src)), "_blank", 0,
                                           (prop("FilterName", "Text - txt - csv (StarCalc)"),
                                            prop("FilterOptions", opts_in), prop("Hidden", True)))
        sheet = doc.Sheets.getByIndex(0)
        if fmt != "-":
            formats = doc.NumberFormats
            language, country = lang.split("-")
            loc = Locale(language, country, "")
            key = formats.queryKey(fmt, loc, False)
            if key == -1:
                key = formats.addNew(fmt, loc)
            sheet.getCellRangeByName("E2:F1000").NumberFormat = key
        # Export: the separator, quote '"', UTF-8, from line 1, -, the
        # language, quote all text cells or not, -, cells as shown.
        opts_out = "%d,34,76,1,,%s,%s,true,true" % (ord(sep), lang_id, quote_all)
        doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(dst)),
                       (prop("FilterName", "Text - txt - csv (StarCalc)"), prop("FilterOptions", opts_out)))
        doc.close(True)
    finally:
        if desktop is not None:
            try:
                desktop.terminate()
            except Exception:
                pass
        office.wait(timeout=120)
        subprocess.run(["rm", "-rf", profile])


if __name__ == "__main__":
    main()
