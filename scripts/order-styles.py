#!/usr/bin/env python3
"""Puts the style objects of resources/default_style.txt in their stored order and gives each
its own place on the 548 x 547 design surface of the root.

Several people append styles to the file at once; after a merge, run this and then
canonicalise the file with zu-stream (tobinary, then totext). Objects whose names are not in
the order below keep their relative order after the known ones, so nothing is ever dropped;
a name that occurs twice in the order (droptargetstyle) takes its occurrences in file order.

Usage: scripts/order-styles.py [FILE]   (default resources/default_style.txt, rewritten in place)
"""

import re
import sys

ORDER = """
thumbbarstyle scrollbarvtrackstyle scrollbarhtrackstyle scrollbarleftbutton scrollbarrightbutton
scrollbartopbutton scrollbarbottombutton hthumbstyle vthumbstyle trackstyle trackbarstyle
scrollbarstyle smallscrollbarhtrackstyle smallscrollbarvtrackstyle smallscrollbarstyle
scrollboxstyle framedscrollboxstyle messagepopupstyle toolbuttonstyle toolpathbuttonstyle
backgroundstyle panelstyle statusbarstyle toolbarstyle expandercheckboxstyle expanderstyle
groupboxstyle imagecontrolstyle buttonstyle popupbuttonstyle roundbuttonstyle circlebuttonstyle
colorbuttonstyle cornerbuttonstyle bitmapbuttonstyle pathbuttonstyle speedbuttonstyle
anglebuttonstyle splitterstyle textboxstyle roundtextboxstyle spinboxstyle popupboxstyle
memostyle numberboxstyle labelstyle valuelabelstyle listboxstyle listboxitemstyle
imagelistboxitemstyle tabitemstyle checkboxstyle pathcheckboxstyle radiobuttonstyle
progressbarstyle sizegripstyle combolistboxstyle comboboxstyle CloseButtonStyle
expanderbuttonstyle treeviewstyle treeviewitemstyle treeviewexpanderbuttonstyle gridstyle
tabcontrolstyle droptargetstyle hudtrackbarstyle hudnumberboxstyle hudtextboxstyle
hudroundtextboxstyle hudspinboxstyle hudmemostyle hudscrollbarstyle hudwindowstyle
hudSizeGripStyle hudCloseButtonStyle hudlabelstyle hudbuttonstyle hudroundbuttonstyle
hudcirclebuttonstyle hudcornerbuttonstyle hudcheckboxstyle hudradiobuttonstyle
hudgroupboxstyle hudpopupboxstyle hudanglebuttonstyle hudthumbbarstyle hudscrollbarvtrackstyle
hudscrollbarhtrackstyle hudscrollbarleftbutton hudscrollbarrightbutton hudscrollbartopbutton
hudscrollbarbottombutton grad hudhthumbstyle hudvthumbstyle hudcomboboxstyle
hudcombolistboxstyle hudtrackstyle hudtabcontrolstyle hudtabitemstyle hudstatusbarstyle
hudpanelstyle hudlistboxstyle hudlistboxitemstyle droptargetstyle iconconfirmation
iconinformation iconwarning iconerror iphonebuttonstyle
""".split()

# One cell of the design surface per style: 12 columns, 10 rows inside 548 x 547.
COLUMNS, LEFT, TOP, STEP_X, STEP_Y = 12, 8, 8, 44, 53

NON_VISUAL = {"object TzuBrushObject"}
NAME = re.compile(r"^    ResourceName = '(.*)'$")
POINT = re.compile(r"^    Position\.Point = ")


def split(lines):
    """Returns (head, objects, tail): the root's own lines, its child objects, its 'end'."""
    starts = [i for i, line in enumerate(lines) if line.startswith("  object ")]
    if not starts:
        sys.exit("order-styles: the root holds no style objects")
    end = max(i for i, line in enumerate(lines) if line == "end")
    bounds = starts + [end]
    return lines[: starts[0]], [lines[a:b] for a, b in zip(bounds, bounds[1:])], lines[end:]


def name_of(obj):
    for line in obj:
        m = NAME.match(line)
        if m:
            return m.group(1)
    return ""


def place(obj, index):
    x = LEFT + (index % COLUMNS) * STEP_X
    y = TOP + (index // COLUMNS) * STEP_Y
    body = [line for line in obj[1:] if not POINT.match(line)]
    if obj[0].strip() in NON_VISUAL:
        return [obj[0]] + body  # a named brush has no place on the surface
    return [obj[0], f"    Position.Point = '({x},{y})'"] + body


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "resources/default_style.txt"
    with open(path, newline="") as f:
        text = f.read()
    newline = "\r\n" if "\r\n" in text else "\n"
    head, objects, tail = split(text.split(newline))
    pending = list(objects)
    ordered = []
    for name in ORDER:
        for obj in pending:
            if name_of(obj) == name:
                ordered.append(obj)
                pending.remove(obj)
                break
    ordered += pending
    if len(ordered) > COLUMNS * 10:
        sys.exit("order-styles: more styles than cells on the design surface")
    out = head + [line for i, obj in enumerate(ordered) for line in place(obj, i)] + tail
    with open(path, "w", newline="") as f:
        f.write(newline.join(out))
    missing = [n for n in ORDER if n not in {name_of(o) for o in ordered}]
    if missing:
        print("order-styles: not yet in the file:", " ".join(missing))


if __name__ == "__main__":
    main()
