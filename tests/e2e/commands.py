"""The program's command ids by name, read from src/app/resource_ids.h (the
one place they are defined): IDM.EXIT, IDM.NO_EDITING, IDM.HISTORY_FIRST ..."""

import os
import re
import types

_HEADER = os.path.join(os.path.dirname(__file__), "..", "..", "src", "app", "resource_ids.h")


def _read_ids():
    ids = {}
    with open(_HEADER, encoding="utf-8") as header:
        for line in header:
            found = re.match(r"#define IDM_(\w+) (\d+)\s*$", line)
            if found:
                ids[found.group(1)] = int(found.group(2))
    return ids


IDM = types.SimpleNamespace(**_read_ids())
