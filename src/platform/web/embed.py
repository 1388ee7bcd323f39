#!/usr/bin/python3
"""Makes what the page carries inside itself: the window face, cut down to the characters the
program can show, with the metrics its text layout needs (read from the same cut face: heights,
underline, and every character's advance), and the page template with the icon in it.

  embed.py FONT ICON TEMPLATE SHELL_OUT FACE_JS_OUT SOURCE...

The characters are printable ASCII, the half-width katakana that code page 932 holds in single
bytes (what a key can make the echo line show), the replacement character, and every character of
the code page 932 texts written as byte escapes in the SOURCE files (the error box's message, the
face's own name)."""
import base64
import io
import json
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont


def program_texts(paths):
    characters = set()
    for path in paths:
        with open(path, encoding="utf-8") as source:
            for literal in re.findall(r'"((?:[^"\\]|\\.)*)"', source.read()):
                if "\\x" not in literal:
                    continue
                raw = re.sub(r"\\x([0-9A-Fa-f]{2})", lambda m: chr(int(m.group(1), 16)), literal)
                characters.update(raw.encode("latin-1", "replace").decode("cp932", "replace"))
    return characters


def cut_face(font_path, characters):
    options = subset.Options()
    options.layout_features = []  # glyphs are drawn one by one: no shaping, no kerning
    options.hinting = False
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6]
    options.notdef_outline = True
    # The cut face keeps the whole face's date, rather than the time it was cut.
    face = TTFont(font_path, recalcTimestamp=False)
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=[ord(c) for c in characters])
    cutter.subset(face)
    out = io.BytesIO()
    face.save(out)
    return out.getvalue()


def advances_of(face):
    """Each character's advance in font units, as the face's cmap and hmtx give it; a character
    the face lacks moves the pen as its .notdef glyph does, as FreeType's does."""
    widths = face["hmtx"].metrics
    advances = {str(code): widths[glyph][0] for code, glyph in face.getBestCmap().items()}
    return advances, widths[face.getGlyphOrder()[0]][0]


def metrics_of(face_bytes):
    face = TTFont(io.BytesIO(face_bytes))
    os2, post = face["OS/2"], face["post"]
    advances, missing = advances_of(face)
    return {
        "advances": advances,
        "missingAdvance": missing,
        "unitsPerEm": face["head"].unitsPerEm,
        "winAscent": os2.usWinAscent,
        "winDescent": os2.usWinDescent,
        "averageCharWidth": os2.xAvgCharWidth,
        "underlinePosition": post.underlinePosition,
        "underlineThickness": post.underlineThickness,
    }


def main(font_path, icon_path, template_path, shell_out, face_js_out, *sources):
    characters = {chr(c) for c in range(0x20, 0x7F)}
    characters |= {chr(c) for c in range(0xFF61, 0xFFA0)}
    characters |= {"\ufffd"} | program_texts(sources)
    face_bytes = cut_face(font_path, characters)
    # xAvgCharWidth is the whole face's, which cutting it must not change: tab stops depend on it.
    whole = TTFont(font_path)
    face = metrics_of(face_bytes)
    face["averageCharWidth"] = whole["OS/2"].xAvgCharWidth
    face["file"] = font_path.rsplit("/", 1)[-1]
    face["data"] = base64.b64encode(face_bytes).decode("ascii")
    with open(face_js_out, "w", encoding="utf-8") as out:
        out.write("// The window face and its metrics, made by embed.py.\nvar QuilletFace = ")
        out.write(json.dumps(face))
        out.write(";\n")
    with open(icon_path, "rb") as icon, open(template_path, encoding="utf-8") as template:
        page = template.read().replace("@ICON_BASE64@", base64.b64encode(icon.read()).decode("ascii"))
    with open(shell_out, "w", encoding="utf-8") as out:
        out.write(page)


if __name__ == "__main__":
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
