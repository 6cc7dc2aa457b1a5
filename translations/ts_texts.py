#!/usr/bin/env python3
"""Writes the program's translated texts, read from the Qt Linguist .ts files,
in the forms that are built without Qt:

  ts_texts.py rc OUT.rc OUT.hpp TS...   the Windows string table, one block per
                                        language, and a header of its ids
  ts_texts.py desktop CONTEXT TS...     desktop entry lines: Key=English and
                                        Key[lang]=... for each message of CONTEXT
  ts_texts.py metainfo CONTEXT TS...    AppStream elements: <key>English</key>
                                        and <key xml:lang="lang">...</key>
  ts_texts.py web OUT.js CONTEXTS TS... the web page's script of translations,
                                        {language: {context: {English: text}}},
                                        of the contexts named (comma-separated)

For the desktop entry and AppStream, a message's comment in the .ts file names
the key or element it fills. A file's language follows "lumbrix_" in its
name (lumbrix_de.ts is German); the string table has one block per primary
language. Unfinished translations, and files not written
yet, are left out, so English shows instead.
"""
import json
import pathlib
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

# Primary language ids (winnt.h LANG_*). The string table takes the neutral
# sublanguage, which the resource loader falls back to from every region of
# the language (de-AT finds de). English is en-US: the loader's last resort,
# where a neutral English block would be found before the user's language.
WINDOWS_LANGUAGES = {
    "ar": 0x01, "bg": 0x02, "ca": 0x03, "zh": 0x04, "cs": 0x05, "da": 0x06, "de": 0x07,
    "el": 0x08, "es": 0x0A, "fi": 0x0B, "fr": 0x0C, "he": 0x0D, "hu": 0x0E, "it": 0x10,
    "ja": 0x11, "ko": 0x12, "nl": 0x13, "nb": 0x14, "pl": 0x15, "pt": 0x16, "ro": 0x18,
    "ru": 0x19, "hr": 0x1A, "sk": 0x1B, "sv": 0x1D, "tr": 0x1F, "uk": 0x22, "sl": 0x24,
}
ENGLISH_US = (0x09, 0x01)


def read_ts(path):
    """Returns (language, {(context, source): (comment, translation or None)})."""
    language = pathlib.Path(path).stem.split("_", 1)[1]  # lumbrix_pt_BR.ts: pt_BR
    messages = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            done = translation is not None and translation.get("type") is None
            messages[(name, message.findtext("source"))] = (
                message.findtext("comment") or "", translation.text or "" if done else None)
    return language, messages


def read_all(paths):
    # A language just added has no file until update_translations writes it.
    files = sorted((read_ts(p) for p in paths if pathlib.Path(p).exists()), key=lambda f: f[0])
    english = {}
    for _, messages in files:
        for key, (comment, _) in messages.items():
            english.setdefault(key, comment)
    return files, english


def rc_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""').replace("\n", "\\n") + '"'


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def write_rc(rc_path, header_path, ts_paths):
    files, english = read_all(ts_paths)
    ids = {key: number for number, key in enumerate(sorted(english), start=1)}
    lines = ["// Generated from the .ts files by translations/ts_texts.py: edit those.",
             "#pragma code_page(65001)", ""]

    def block(language, texts):
        lines.append("LANGUAGE %d, %d" % language)
        lines.append("STRINGTABLE")
        lines.append("BEGIN")
        for key, text in sorted(texts.items(), key=lambda item: ids[item[0]]):
            lines.append("  %d, %s" % (ids[key], rc_string(text)))
        lines.append("END")
        lines.append("")

    block(ENGLISH_US, {key: key[1] for key in english})
    for language, messages in files:
        primary = language.split("_")[0]
        if primary not in WINDOWS_LANGUAGES:
            sys.exit("%s: add the language's Windows id to WINDOWS_LANGUAGES" % primary)
        done = {key: text for key, (_, text) in messages.items() if text is not None}
        if done:
            block((WINDOWS_LANGUAGES[primary], 0x00), done)
    pathlib.Path(rc_path).write_text("\n".join(lines), encoding="utf-8")

    entries = ["    {%s, %s, %d}," % (c_string(context), c_string(source), number)
               for (context, source), number in ids.items()]
    pathlib.Path(header_path).write_text("\n".join([
        "// Generated from the .ts files by translations/ts_texts.py: edit those.",
        "#pragma once", "", "namespace lumbrix {", "",
        "// The string table's id of each translatable text, by context and English text.",
        "struct StringId {", "  const char* context;", "  const char* text;", "  unsigned id;",
        "};", "", "inline constexpr StringId kStringIds[] = {", *entries, "};", "",
        "} // namespace lumbrix", ""]), encoding="utf-8")


def catalog_texts(context, ts_paths):
    """(key, [(language or "", text)]) for each message of context, English first."""
    files, english = read_all(ts_paths)
    result = []
    for (name, source), comment in sorted(english.items(), key=lambda item: item[1]):
        if name != context:
            continue
        if not comment:
            sys.exit("%s: %r needs a comment that names its key" % (context, source))
        texts = [("", source)]
        for language, messages in files:
            text = messages.get((name, source), ("", None))[1]
            if text is not None:
                texts.append((language, text))
        result.append((comment, texts))
    return result


def write_web(js_path, contexts, ts_paths):
    # Languages as the browser names them (pt-BR); ASCII only, so that the
    # script reads the same whatever charset it is served with.
    files, _ = read_all(ts_paths)
    texts = {}
    for language, messages in files:
        done = {}
        for (context, source), (_, text) in messages.items():
            if text is not None and context in contexts:
                done.setdefault(context, {})[source] = text
        if done:
            texts[language.replace("_", "-")] = done
    pathlib.Path(js_path).write_text(
        "// Generated from the .ts files by translations/ts_texts.py: edit those.\n"
        "globalThis.lumbrixTranslations = %s;\n" % json.dumps(texts, sort_keys=True, indent=1),
        encoding="ascii")


def main(argv):
    mode = argv[1] if len(argv) > 1 else ""
    if mode == "rc" and len(argv) >= 4:
        write_rc(argv[2], argv[3], argv[4:])
    elif mode == "desktop" and len(argv) >= 3:
        print("\n".join("%s%s=%s" % (key, "[%s]" % lang if lang else "", text.replace("\n", "\\n"))
                        for key, texts in catalog_texts(argv[2], argv[3:]) for lang, text in texts))
    elif mode == "metainfo" and len(argv) >= 3:
        print("\n  ".join("<%s%s>%s</%s>" % (key, ' xml:lang="%s"' % lang if lang else "",
                                             escape(text), key)
                          for key, texts in catalog_texts(argv[2], argv[3:]) for lang, text in texts))
    elif mode == "web" and len(argv) >= 4:
        write_web(argv[2], argv[3].split(","), argv[4:])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
