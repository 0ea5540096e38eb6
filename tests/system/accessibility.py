"""Reads every window of the running program through AT-SPI and checks what a screen reader
would hear: names, roles, descriptions, states, and that the result line announces changes.

usage: accessibility.py <program's process id>
"""
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

PID = int(sys.argv[1])
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, file=sys.stderr)


def wait_for(what, seconds, description):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = what()
        if found:
            return found
        GLib.MainContext.default().iteration(False)
        time.sleep(0.1)
    raise SystemExit("FAIL: " + description)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == PID:
                return app
        except GLib.Error:
            continue
    return None


def window(title, holding=None):
    app = application()
    if app is None:
        return None
    for w in app:
        if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING) \
                and (holding is None or holding in controls(w)):
            return w
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def controls(win):
    """Every control of a window as (role name, name) -> accessible, also printed for the log."""
    found = {}
    for node in descendants(win):
        key = (node.getRoleName(), node.name)
        found.setdefault(key, node)
    return found


def report(title, found):
    print(f"window {title!r}:")
    for (role, name), node in sorted(found.items()):
        if name or node.description:
            description = f"  — {node.description!r}" if node.description else ""
            print(f"  {role}: {name!r}{description}")


def expect(found, role, name, description=None, window_title=""):
    node = found.get((role, name))
    check(node is not None, f"{window_title}: no {role} named {name!r}")
    if node is not None and description is not None:
        check(node.description == description,
              f"{window_title}: {role} {name!r} describes {node.description!r}, expected {description!r}")
    return node


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    check("Press" in names, f"{node.name!r} has no press action, only {names}")
    actions.doAction(names.index("Press") if "Press" in names else 0)


# ---- The banner: known by the program's name, its picture by what it is -----------------------
banner = wait_for(lambda: window("Telimer", ("image", "Reklamní banner")), 20,
                  "no banner named 'Telimer' with a picture named 'Reklamní banner'")
report("Telimer (banner)", controls(banner))

# ---- The main window, after the banner --------------------------------------------------------
main = wait_for(lambda: window("Telimer", ("text", "Věk")), 40, "the main window never appeared on the AT-SPI bus")
found = controls(main)
report("Telimer", found)
for box in ("Věk", "Hmotnost v kg", "Výška"):
    expect(found, "text", box, window_title="Telimer")
# Qt names a combo box by its value on Linux, by design; its purpose is in the description.
expect(found, "combo box", "cm", "Jednotka výšky", "Telimer")
for option in ("muž", "žena"):
    expect(found, "radio button", option, window_title="Telimer")
buttons = {name: expect(found, "push button", name, window_title="Telimer")
           for name in ("Hmotnost u mužů a žen", "Hmotnost podle výšky", "Nápověda",
                        "O programu & aktualizace", "Konec")}
for name, button in buttons.items():
    if button is not None:
        check(button.getState().contains(pyatspi.STATE_FOCUSABLE), f"button {name!r} is not focusable")
expect(found, "image", "Graf BMI podle věku", "Váš BMI 22,598 ve věku 20 let: 18,5–25 Ideální váha", "Telimer")
result = expect(found, "status bar", "Váš BMI (body mass index) je : 22,598, 18,5–25 Ideální váha",
                window_title="Telimer")

# ---- The two reference windows and help, opened through their buttons ------------------------
for button, title, role, name, description in (
        ("Hmotnost u mužů a žen", "Hmotnost u mužů a žen", "image", "Tabulka hmotností",
         "Vyznačený řádek: výška 176 cm"),
        ("Hmotnost podle výšky", "Hmotnost podle výšky", "image", "Graf hmotnosti podle výšky",
         "Vaše hmotnost 70 kg při výšce 176 cm"),
        ("Nápověda", "Nápověda", None, None, None)):
    if buttons.get(button) is None:
        continue
    press(buttons[button])
    opened = wait_for(lambda: window(title), 10, f"{button!r} opened no window {title!r}")
    found = controls(opened)
    report(title, found)
    if role:
        expect(found, role, name, description, title)
    else:
        texts = [node for (r, _), node in found.items() if r == "text"]
        check(len(texts) == 1 and "BMI" in texts[0].queryText().getText(0, -1),
              "the help window shows no help text")

# ---- An edit announces the new result without moving focus -----------------------------------
heard = []
# Qt sends the object itself with the event; its new name is read as the screen reader would.
listener = Atspi.EventListener.new(lambda event: heard.append((event.source.get_role_name(), event.source.name)))
listener.register("object:property-change:accessible-name")
# Screen readers such as Orca speak a notification that appears, wherever the focus is.
shown = []
notices = Atspi.EventListener.new(
    lambda event: event.detail1 and shown.append((event.source.get_role_name(), event.source.name)))
notices.register("object:state-changed:showing")
found = controls(main)
weight = found.get(("text", "Hmotnost v kg"))
if weight is not None:
    weight.queryEditableText().setTextContents("200")
    announcement = "Váš BMI (body mass index) je : 64,566, BMI > 40 Morbidní obezita"
    wait_for(lambda: ("status bar", announcement) in heard, 10,
             f"no name change to {announcement!r} on the status bar; heard {heard}")
    wait_for(lambda: ("notification", announcement) in shown, 10,
             f"no notification {announcement!r} appeared; saw {shown}")
    found = controls(main)
    expect(found, "image", "Graf BMI podle věku", "Váš BMI 64,566 ve věku 20 let: BMI > 40 Morbidní obezita",
           "Telimer")
    chart = controls(window("Hmotnost podle výšky"))
    expect(chart, "image", "Graf hmotnosti podle výšky", "Mimo rozsah grafu: hmotnost 200 kg při výšce 176 cm",
           "Hmotnost podle výšky")

# ---- About, a modal window ------------------------------------------------------------------
if buttons.get("O programu & aktualizace") is not None:
    press(buttons["O programu & aktualizace"])
    about = wait_for(lambda: window("About"), 20, "no About window")
    found = controls(about)
    report("About", found)
    links = [node for (role, _), node in found.items() if role == "link"]
    names = sorted(node.name for node in links)
    check(len(names) == 2 and names[0] == "- web programu" and names[1].startswith("www."),
          f"About's links are {names}")
    for link in links:
        check(link.getState().contains(pyatspi.STATE_FOCUSABLE), f"link {link.name!r} is not focusable")
    status = [node for (role, name), node in found.items() if role == "label" and name == "Při stahování došlo k chybě"]
    check(len(status) == 1, "About shows no download error line")
    for node in status:
        check(not node.getState().contains(pyatspi.STATE_ENABLED),
              f"the greyed status line {node.name!r} is exposed as enabled")

if failures:
    sys.exit(1)
print("PASS")
