#!/usr/bin/env python3
"""Small helpers for the Qt translation catalogues (.ts files).

  ts-tool.py english FILE.ts          every text becomes its own, finished translation
  ts-tool.py report FILE.ts           counts entries and lists the unfinished ones
  ts-tool.py fill FILE.ts TABLE.tsv   fills unfinished entries from a table of
                                      "context<TAB>source<TAB>translation" lines
                                      (context "*" matches every context)
  ts-tool.py untranslated FILE.ts     prints unfinished entries as table lines to fill in
  ts-tool.py fillfrom FILE.ts OTHER.ts
                                      fills unfinished entries from the finished ones of
                                      another catalogue (same context and source), e.g. the
                                      other side of a merge

Entries are matched on their exact source text, so "Conncet" stays "Conncet".
"""
import sys
import xml.etree.ElementTree as ET


def load(path):
    tree = ET.parse(path)
    return tree, tree.getroot()


def save(tree, path):
    root = tree.getroot()
    ET.indent(tree, space="    ")
    body = ET.tostring(root, encoding="unicode")
    with open(path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write(body)
        f.write("\n")


def messages(root):
    for ctx in root.iter("context"):
        name = ctx.findtext("name", "")
        for msg in ctx.iter("message"):
            yield name, msg


def is_live(tr):
    return tr.get("type") not in ("vanished", "obsolete")


def escape_field(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def unescape_field(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            out.append({"n": "\n", "t": "\t", "\\": "\\"}.get(n, "\\" + n))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def set_translation(msg, tr, text):
    if msg.get("numerus") == "yes":
        for form in list(tr):
            tr.remove(form)
        ET.SubElement(tr, "numerusform").text = text
        tr.text = None
    else:
        tr.text = text
    if "type" in tr.attrib:
        del tr.attrib["type"]


def cmd_english(path):
    tree, root = load(path)
    for _, msg in messages(root):
        tr = msg.find("translation")
        if tr is not None and is_live(tr):
            set_translation(msg, tr, msg.findtext("source", ""))
    save(tree, path)


def cmd_report(path):
    _, root = load(path)
    total = done = 0
    missing = []
    for ctx, msg in messages(root):
        tr = msg.find("translation")
        if tr is None or not is_live(tr):
            continue
        total += 1
        if tr.get("type") == "unfinished":
            missing.append((ctx, msg.findtext("source", "")))
        else:
            done += 1
    print(f"{path}: {total} texts, {done} translated, {len(missing)} unfinished")
    for ctx, src in missing:
        print(f"  {ctx}: {src!r}")
    return len(missing)


def cmd_untranslated(path):
    _, root = load(path)
    for ctx, msg in messages(root):
        tr = msg.find("translation")
        if tr is not None and tr.get("type") == "unfinished":
            print(f"{ctx}\t{escape_field(msg.findtext('source', ''))}\t")


def cmd_fill(path, table):
    by_context, anywhere = {}, {}
    with open(table, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) != 3 or not parts[2]:
                continue
            ctx, src, text = parts[0], unescape_field(parts[1]), unescape_field(parts[2])
            (anywhere if ctx == "*" else by_context.setdefault(ctx, {}))[src] = text
    tree, root = load(path)
    filled = 0
    for ctx, msg in messages(root):
        tr = msg.find("translation")
        if tr is None or tr.get("type") != "unfinished":
            continue
        src = msg.findtext("source", "")
        text = by_context.get(ctx, {}).get(src, anywhere.get(src))
        if text:
            set_translation(msg, tr, text)
            filled += 1
    save(tree, path)
    print(f"{path}: {filled} entries filled")


def cmd_fillfrom(path, other):
    _, oroot = load(other)
    known = {}
    for ctx, msg in messages(oroot):
        tr = msg.find("translation")
        if tr is None or not is_live(tr) or tr.get("type") == "unfinished":
            continue
        forms = [f.text or "" for f in tr.findall("numerusform")]
        text = forms[0] if forms else (tr.text or "")
        if text:
            known[(ctx, msg.findtext("source", ""))] = text
    tree, root = load(path)
    filled = 0
    for ctx, msg in messages(root):
        tr = msg.find("translation")
        if tr is None or tr.get("type") != "unfinished":
            continue
        text = known.get((ctx, msg.findtext("source", "")))
        if text:
            set_translation(msg, tr, text)
            filled += 1
    save(tree, path)
    print(f"{path}: {filled} entries filled from {other}")


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    cmd, path = argv[1], argv[2]
    if cmd == "english":
        cmd_english(path)
    elif cmd == "report":
        cmd_report(path)
    elif cmd == "untranslated":
        cmd_untranslated(path)
    elif cmd == "fill" and len(argv) == 4:
        cmd_fill(path, argv[3])
    elif cmd == "fillfrom" and len(argv) == 4:
        cmd_fillfrom(path, argv[3])
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
