#!/usr/bin/env python3
"""zip_site.py SITE OUT.zip FOLDER: the site's files in a zip, under FOLDER/.

The same files give the same bytes whoever zips them, wherever, whenever:
names in order, every file with mode 644 and the time SOURCE_DATE_EPOCH
(1980, the first time a zip can hold, without it) read in UTC, and no extra
fields.
"""
import os
import pathlib
import sys
import time
import zipfile

if len(sys.argv) != 4:
    sys.exit(__doc__)
site, out, folder = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
earliest = 315532800  # 1980-01-01 UTC
stamp = time.gmtime(max(int(os.environ.get("SOURCE_DATE_EPOCH", earliest)), earliest))[:6]
with zipfile.ZipFile(out, "w") as archive:
    for path in sorted(p for p in site.rglob("*") if p.is_file()):
        entry = zipfile.ZipInfo("%s/%s" % (folder, path.relative_to(site).as_posix()), stamp)
        entry.create_system = 3  # Unix, so that the mode below is read
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, path.read_bytes(), compresslevel=9)
