#!/usr/bin/python3
"""Reads and drives the lesson the way a screen reader and its user do.

    check_lesson.py PROGRAM LESSON.UFG SHORT.UFG

Runs the program twice, each time in a fresh folder, and talks to it over
AT-SPI. With the lesson's own configuration (LESSON.UFG) it reads the main
window: Bulgarian names, roles and descriptions, the countdown bar and the
plan ribbon as progress bars whose values move, a plan that takes no choice
while a point is written, the exit question as an alert. With SHORT.UFG
(tasks open before the plan is written, short times) it walks a whole lesson
with the keys alone: the plan, the tasks window, the task chooser, the Focus
window, the colour window and the way out. After each step it reads what a
screen reader is told: which object has the focus, which entry is chosen,
the values of the bars and what the windows say without moving the focus.
Prints what a screen reader finds in each window.

Keys and clicks go through the X server (XTest), as a keyboard's and a
mouse's do. The virtual X server has no window manager to bring the lesson
to the front: a click on its window does, as it would for a pupil. From then
on the program itself gives the keyboard to each window it opens or returns
to.

Needs an X display, a D-Bus session bus and python3-pyatspi; the CTest
script starts it under Xvfb and dbus-run-session.
"""

import ctypes
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi, GLib

FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAIL: " + what)
    return condition


# How long a wait for a state may last before the check gives up on it. A
# wait ends as soon as the state is there; this bound is only for a state
# that never comes, and it is generous because a busy machine may take its
# time to get there.
PATIENCE = 60


def wait_for(probe, seconds=PATIENCE, step=0.05):
    """Polls probe() until it gives something true; None when the time is
    out. What the lesson sends meanwhile is heard (see EVENTS)."""
    end = time.monotonic() + seconds
    while True:
        hear()
        try:
            found = probe()
        except Exception:  # the tree may change under our feet
            found = None
        if found or time.monotonic() >= end:
            return found or None
        time.sleep(step)


# ---- What the lesson sends without being asked ---------------------------------
#
# A screen reader hears events as they come; so does the check: a sentence
# said, a description or a value that changes, in the order sent, however
# slowly the check gets round to reading them.

EVENTS = []  # (kind, role, name, data): "said", "described", "value", "focus"


def heard(event):
    try:
        source = event.source
        role = source.getRoleName()
        if event.type.startswith("object:state-changed:showing"):
            if role == "notification" and event.detail1:
                EVENTS.append(("said", role, source.name, source.name))
        elif event.type.startswith("object:property-change:accessible-name"):
            if role == "notification" and event.any_data:
                EVENTS.append(("said", role, str(event.any_data), str(event.any_data)))
        elif event.type.startswith("object:property-change:accessible-description"):
            EVENTS.append(("described", role, source.name, str(event.any_data)))
        elif event.type.startswith("object:property-change:accessible-value"):
            EVENTS.append(("value", role, source.name, event.any_data))
        elif event.type.startswith("object:state-changed:focused") and event.detail1:
            EVENTS.append(("focus", role, source.name, source.name))
    except Exception:  # an object gone before its event was read
        pass


def listen():
    pyatspi.Registry.registerEventListener(
        heard, "object:state-changed:showing", "object:state-changed:focused",
        "object:property-change:accessible-name",
        "object:property-change:accessible-description", "object:property-change:accessible-value")


def hear():
    """Takes in the events that have come."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def mark():
    hear()
    return len(EVENTS)


def sent(kind, since=0, name=None, role=None):
    return [e[3] for e in EVENTS[since:] if e[0] == kind and name in (None, e[2])
            and role in (None, e[1])]


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def application(pid):
    return next((app for app in pyatspi.Registry.getDesktop(0)
                 if app is not None and app.get_process_id() == pid and app.childCount > 0), None)


def find(root, role=None, name=None, starts=""):
    return next((node for node in walk(root) if role in (None, node.getRoleName())
                 and name in (None, node.name) and node.name.startswith(starts)), None)


def has(node, state):
    return node.getState().contains(state)


def showing(node):
    return has(node, pyatspi.STATE_SHOWING)


def value_of(node):
    v = node.queryValue()
    return v.currentValue, v.maximumValue


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def chosen(listing):
    """The entries a screen reader hears as selected."""
    return [i for i in range(listing.childCount)
            if has(listing.getChildAtIndex(i), pyatspi.STATE_SELECTED)]


def press(node, action_name="Press"):
    """Runs a named action. An action that opens a modal box returns only when
    the box closes, so a short time-out is expected and not an error."""
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action_name:
            Atspi.set_timeout(800, -1)
            try:
                actions.doAction(i)
            except Exception:
                pass
            finally:
                Atspi.set_timeout(-1, -1)
            return True
    return False


def describe(node, depth=0, lines=None):
    """What a screen reader finds: role, name, description, value, text."""
    if lines is None:
        lines = []
    if not showing(node) and depth > 0:
        return lines
    role = node.getRoleName()
    parts = [role]
    if node.name:
        parts.append("„%s“" % node.name)
    if node.description:
        parts.append("описание: „%s“" % node.description.replace("\n", " "))
    if role == "progress bar" or role == "slider":
        parts.append("стойност %g от %g" % value_of(node))
    if role == "text":
        parts.append("текст: „%s“" % text_of(node).strip()[:60].replace("\n", " "))
    if role not in ("filler", "scroll bar") or node.name:
        lines.append("  " * depth + ", ".join(parts))
    if role in ("list", "menu", "popup menu"):
        for i in range(min(node.childCount, 6)):
            item = node.getChildAtIndex(i)
            lines.append("  " * (depth + 1) + item.getRoleName() + ", „%s“" % item.name)
        if node.childCount > 6:
            lines.append("  " * (depth + 1) + "… (%d)" % node.childCount)
        return lines
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and child.getRoleName() != "scroll bar":
            describe(child, depth + 1, lines)
    return lines


def print_window(title, window):
    print("What a screen reader finds in %s:" % title)
    print("\n".join(describe(window)))
    unnamed = [n.getRoleName() for n in walk(window)
               if showing(n) and not n.name
               and n.getRoleName() in ("text", "list", "image", "progress bar", "push button",
                                       "slider", "radio button", "label")]
    check(not unnamed, "every visible control in %s has a name (unnamed: %s)" % (title, unnamed))


# ---- The keyboard and the mouse, through the X server ------------------------

KEYSYMS = {"Tab": 0xff09, "Return": 0xff0d, "Escape": 0xff1b, "Up": 0xff52, "Right": 0xff53,
           "Down": 0xff54, "End": 0xff57, "F2": 0xffbf, "space": 0x20}
MODIFIERS = {"Shift": 1, "Control": 4, "Alt": 8}
PRESSED = []  # since the focus was last read
KEYCODES = {}  # keysym: the key of the X server's keyboard that types it, and whether with Shift
CYRILLIC = "абвгдежзийклмнопрстуфхцчшщъьюя"


def keysym_of(name):
    return KEYSYMS.get(name) or (0x1000000 + ord(name) if ord(name) > 0xff else ord(name))


def bind_keys():
    """Gives every Bulgarian letter a key of its own on the X server's
    keyboard, once, before the lesson starts, as a Bulgarian layout would.
    A letter the keyboard lacks would otherwise be bound to a spare key for
    the moment of its press, and a busy program that reads the new keyboard
    map late takes the press for another key or none."""
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                   ctypes.POINTER(ctypes.c_int)]
    x.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
    x.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                      ctypes.POINTER(ctypes.c_int)]
    x.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                         ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    if not display:
        return
    low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    x.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
    count = high.value - low.value + 1
    table = x.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per))
    spare = []
    for i in range(count):
        syms = [table[i * per.value + j] for j in range(per.value)]
        if not any(syms):
            spare.append(low.value + i)
        for shifted in (0, 1):
            if per.value > shifted and syms[shifted] and syms[shifted] not in KEYCODES:
                KEYCODES[syms[shifted]] = (low.value + i, shifted)
    x.XFree(table)
    for letter, code in zip(CYRILLIC, spare):
        pair = (ctypes.c_ulong * 2)(keysym_of(letter), keysym_of(letter.upper()))
        x.XChangeKeyboardMapping(display, code, 2, pair, 1)
        KEYCODES[keysym_of(letter)] = (code, 0)
    x.XSync(display, 0)
    x.XCloseDisplay(display)


def key(combination):
    """Presses and lets go keys such as "F2", "Shift+Tab" or "Alt+з" (a
    letter of the Bulgarian keyboard)."""
    *modifiers, name = combination.split("+")
    mask = sum(MODIFIERS[m] for m in modifiers)
    keysym = keysym_of(name)
    PRESSED.append(combination)
    press_keysym(keysym, mask)


def press_keysym(keysym, mask=0):
    code, shifted = KEYCODES.get(keysym, (None, 0))
    mask |= MODIFIERS["Shift"] if shifted else 0
    if mask:
        Atspi.generate_keyboard_event(mask, None, Atspi.KeySynthType.LOCKMODIFIERS)
    if code is not None:
        Atspi.generate_keyboard_event(code, None, Atspi.KeySynthType.PRESSRELEASE)
    else:
        Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)
    if mask:
        Atspi.generate_keyboard_event(mask, None, Atspi.KeySynthType.UNLOCKMODIFIERS)


def type_text(text):
    PRESSED.append("„%s“" % text)
    for character in text:  # each on its own key, as a pupil types
        press_keysym(keysym_of(character))


def click(node):
    """A click of the left mouse button in the middle of the object."""
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    PRESSED.append("click")
    Atspi.generate_mouse_event(e.x + e.width // 2, e.y + e.height // 2, "b1c")


# ---- What a screen reader is told ---------------------------------------------

def focused(node):
    """The object that has the keyboard: within a focused list, its current
    entry; within a focused menu bar, the menu item."""
    if has(node, pyatspi.STATE_FOCUSED):
        if node.getRoleName() in ("list", "menu bar", "menu item"):
            for inner in walk(node):
                if inner is not node and showing(inner) and has(inner, pyatspi.STATE_FOCUSED):
                    return focused(inner)
        return node
    if node.getRoleName() in ("list", "menu bar", "menu"):
        return None
    for child in node:
        if child is not None and showing(child):
            found = focused(child)
            if found is not None:
                return found
    return None


def focus_is(app, role, name, what=None):
    """Waits until the focus is on the object of that role whose name is or,
    ending in "…", starts with the name."""
    what = what or "after %s" % " ".join(PRESSED)
    def there():
        node = focused(app)
        if node is None or node.getRoleName() != role:
            return None
        ok = node.name.startswith(name[:-1]) if name.endswith("…") else node.name == name
        return node if ok else None
    node = wait_for(there)
    if node:
        print("%-14s focus: %s „%s“" % (" ".join(PRESSED), role, node.name))
    else:
        node = focused(app)
        seen = "%s „%s“" % (node.getRoleName(), node.name) if node else "nothing"
        check(False, "%s: the focus is on %s „%s“ (it is on %s)" % (what, role, name, seen))
    PRESSED.clear()
    return node


def step(app, keys, role, name):
    """Presses the keys one after the other; the focus must end on that object."""
    for combination in keys.split():
        key(combination)
    return focus_is(app, role, name)


SAID = [0]  # the sentences before this event have been matched


def said(starts, since=None):
    """The first sentence, from the event `since` on (after the last one
    matched when not given), that a window says without moving the focus
    (its notification) and that starts with `starts` (a text or a tuple).
    Sentences are matched in the order said, however late they are looked
    for."""
    advance = since is None
    since = SAID[0] if since is None else since

    def found():
        for i in range(since, len(EVENTS)):
            kind, _, _, sentence = EVENTS[i]
            if kind == "said" and sentence and sentence.startswith(starts):
                return i + 1, sentence
        return None
    got = wait_for(found)
    if check(got is not None, "the window says „%s…“ (it said %s)" % (starts, sent("said", since))):
        if advance:
            SAID[0] = got[0]
        print("%-14s says: „%s“" % (" ".join(PRESSED), got[1]))
    PRESSED.clear()
    return got[1] if got else ""


def time_said(app):
    """F2 where the focus is: the time left, said without moving the focus."""
    before = focused(app)
    since = mark()
    key("F2")
    sentence = said(("Остава", "Не се отброява"), since)
    after = focused(app)
    check(before is not None and after is not None and before.name == after.name,
          "F2 leaves the focus where it was („%s“)" % (before.name if before else None))
    return sentence


def seconds_in(sentence):
    """The time a sentence such as "Остават 2 минути и 5 секунди" gives, in seconds."""
    m = re.fullmatch(r"Остава(?:т)? (?:(\d+) минут[аи](?: и (\d+) секунд[аи])?|(\d+) секунд[аи])",
                     sentence)
    return m and sum(int(g or 0) * f for g, f in zip(m.groups(), (60, 1, 1)))


def clock_seconds(clock):
    """The seconds the tasks window's clock shows, read in words
    ("Оставащо време: 7 секунди"); None while it shows none."""
    m = re.fullmatch(r"Оставащо време(?:: (\d+) секунд[аи])?", clock.name)
    check(m is not None, "the clock is read in words: „%s“" % clock.name)
    return int(m.group(1)) if m and m.group(1) else None


def time_agrees(app, clock):
    """F2 says the time the clock shows, however long it takes to be said."""
    before = clock_seconds(clock)
    sentence = time_said(app)
    after = clock_seconds(clock)
    left = seconds_in(sentence)
    if left is None:
        check(sentence == "Не се отброява време" and after is None,
              "F2 says no time is counted only when the clock shows none: „%s“" % sentence)
    else:
        check(before is not None and (after or 0) <= left <= before,
              "F2 says the time between the clock's %s and %s: „%s“" % (before, after, sentence))
    return sentence


def gone(node):
    try:
        return not showing(node)
    except Exception:  # closed and destroyed
        return True


def window(app, title, described_as=None):
    """The window of that title once it is shown and has the keyboard; a
    screen reader announces it as a frame."""
    found = wait_for(lambda: next((w for w in app if w is not None and w.name.startswith(title)
                                   and showing(w) and has(w, pyatspi.STATE_ACTIVE)), None))
    if not check(found is not None, "%s brings „%s“ to the keyboard" % (" ".join(PRESSED), title)):
        return None
    check(found.getRoleName() == "frame",
          "the window „%s“ is a frame to a screen reader (it is a %s)" % (title, found.getRoleName()))
    if described_as:
        print_window(described_as, found)
    return found


def question_of(alert):
    """What a question box asks: the text of its labels, as a screen reader reads it."""
    return " ".join(n.name for n in walk(alert) if n.getRoleName() == "label" and n.name)


def answer(app, question, reply):
    """Answers a question box with its key (Alt+Д for „Да“, Alt+Н for „Не“)."""
    alert = wait_for(lambda: find(app, role="alert"))
    if not check(alert is not None and question in question_of(alert),
                 "the question „%s“ is an alert" % question):
        return False
    print("%-14s alert: „%s“, въпрос: „%s“" % (" ".join(PRESSED), alert.name,
                                              question_of(alert).replace("\n", " ")))
    PRESSED.clear()
    # The box has the keyboard once its button has the focus.
    focus_is(app, "push button", "Не", "in the question the focus is on „Не“")
    key("Alt+" + reply[0].lower())
    PRESSED.clear()
    return check(wait_for(lambda: gone(alert)), "Alt+%s answers „%s“" % (reply[0], question))


# ---- The lesson -----------------------------------------------------------------

def start(program, config):
    folder = tempfile.mkdtemp(prefix="urok-a11y-")
    shutil.copy(config, os.path.join(folder, "OPTIM.UFG"))
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    lesson = subprocess.Popen([program], cwd=folder, env=env)
    app = wait_for(lambda: application(lesson.pid))
    frame = app and wait_for(lambda: find(app, role="frame", starts="Програмиран урок"))
    caption = frame and wait_for(lambda: find(frame, role="label", name="Тема"))
    if caption:
        click(caption)  # the window comes to the front
        PRESSED.clear()
    check(caption and wait_for(lambda: has(frame, pyatspi.STATE_ACTIVE)),
          "the program appears on the accessibility bus, its main window takes the keyboard")
    return lesson, folder, app, frame


def finish(lesson, folder):
    if lesson.poll() is None:
        lesson.kill()
        lesson.wait()
    shutil.rmtree(folder, ignore_errors=True)


def ended(lesson, folder):
    try:
        code = lesson.wait(timeout=15)
    except subprocess.TimeoutExpired:
        code = None
    check(code == 0, "„Да“ ends the lesson cleanly (exit code %s)" % code)
    check(os.path.exists(os.path.join(folder, "OTGOWORI.TXT")), "the answers file is written on exit")


def main():
    program, config, short = (os.path.abspath(a) for a in sys.argv[1:4])
    bind_keys()
    listen()
    began = time.monotonic()
    for run in (main_window, whole_lesson):
        lesson, folder, app, frame = start(program, config if run is main_window else short)
        try:
            if frame is not None:
                run(lesson, folder, app, frame)
        finally:
            finish(lesson, folder)
        print("(%s took %.1f s)" % (run.__name__, time.monotonic() - began))
        began = time.monotonic()
    if FAILURES:
        print("%d check(s) failed" % len(FAILURES))
        return 1
    print("all checks passed")
    return 0


def main_window(lesson, folder, app, frame):
    """The main window with the lesson's own configuration: a point takes
    more than a minute to write, long enough to try the locked plan."""
    plan = wait_for(lambda: find(frame, role="list", name="План на урока"))
    check(plan is not None, "the plan is a list named „План на урока“")
    print_window("the main window", frame)
    check(re.fullmatch(r"Програмиран урок - урочно съдържание\. [^ ].*[^ ], версия [\d.]+ от "
                       r"\d{1,2} [а-я]+ \d{4} г\.", frame.name) and "  " not in frame.name,
          "the window is named in words: „%s“" % frame.name)

    # Names, roles and descriptions.
    topic = find(frame, role="text", name="Тема на урока")
    check(topic is not None and "Търсене на оптимално решение" in text_of(topic),
          "the topic is a text named „Тема на урока“ with the lesson's topic")
    label = find(frame, role="label", name="План")
    check(label is not None and label.description.startswith("План"),
          "the caption „План“ keeps its text and has a description")
    picture = find(frame, role="image", name="Илюстрация към избраната точка")
    check(picture is not None, "the picture is an image with a name")
    if picture is not None:
        actions = picture.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        check("Press" in names, "the picture can be pressed (opens it in full size)")
    content = find(frame, role="text", name="Съдържание на избраната точка")
    check(content is not None and content.description, "the content pane has a name and a description")
    for caption in ("Изход", "Фокус", "Цвят/шрифт", "Задачи/Речник", "Информация за урока", "Автори"):
        item = find(frame, role="menu item", name=caption)
        check(item is not None, "menu item „%s“ is named without its key mark" % caption)

    # The countdown bar and the plan ribbon are progress bars.
    bar = find(frame, role="progress bar", name="Оставащо време за записване на точката")
    ribbon = find(frame, role="progress bar", name="Преминат материал от плана")
    check(bar is not None, "the countdown bar is a progress bar")
    check(ribbon is not None, "the plan ribbon is a progress bar")
    if ribbon is not None:
        check(value_of(ribbon) == (0, 4), "the ribbon starts at 0 of 4 points: %s" % (value_of(ribbon),))

    # Choosing the first point starts its countdown; the value follows the seconds.
    if plan is not None and bar is not None:
        first = plan.getChildAtIndex(0)
        since = mark()
        check(first is not None and press(first, "Toggle"), "a plan point can be chosen (Toggle)")
        started = wait_for(lambda: value_of(bar)[1] > 0 and value_of(bar))
        check(bool(started), "choosing a point starts the countdown value")
        if started:
            print("countdown after choosing point 1: %g of %g seconds" % started)
            later = wait_for(lambda: value_of(bar)[0] < started[0] and value_of(bar))
            check(bool(later), "the countdown value goes down with the seconds")
            if later:
                print("a second later: %g of %g seconds" % later)
            # The bar is read when asked (F2, or visiting it); it sends no
            # change of its value, which a screen reader would speak.
            check(not sent("value", since, name=bar.name),
                  "the countdown bar sends no value changes: %s" % sent("value", since, name=bar.name))
            check(re.match(r"Остават? \d+ секунд[аи] от \d+\. ", bar.description),
                  "read, the bar says its seconds in words: „%s“" % bar.description)
        check(content is not None and text_of(content).strip() != "",
              "the chosen point's text is readable")
        check(chosen(plan) == [0], "the list tells that point 1 is chosen (selected)")
        # While point 1 is written the list is locked: neither a Toggle, nor
        # Enter or Space on another entry, nor a click chooses anything.
        check(plan.description.startswith("Точката се записва."),
              "the locked plan says why it takes no choice: „%s“" % plan.description)
        before = content is not None and text_of(content)
        second = plan.getChildAtIndex(1)
        check(second is not None and press(second, "Toggle"), "point 2 can be toggled")
        # The Toggle has been handled when its call returns.
        check(chosen(plan) == [0], "the locked list keeps point 1 chosen: %s" % chosen(plan))
        step(app, "Tab", "list item", plan.getChildAtIndex(0).name)
        step(app, "Down", "list item", plan.getChildAtIndex(1).name)
        key("Return")
        key("space")
        click(plan.getChildAtIndex(2))
        said("Точка 1 се записва; ")  # why Enter chose nothing
        key("Alt+з")
        said("„Задачи/Речник“ не се отваря, докато точката се записва.")
        # F2 comes after the keys and the click: once it is said, they are done.
        left = seconds_in(time_said(app))
        check(started and 60 < (left or 0) < started[1], "F2 says the minutes and seconds left")
        check(chosen(plan) == [0], "keys and a click choose nothing in the locked plan: %s" % chosen(plan))
        check(content is not None and text_of(content) == before,
              "the locked list shows no other point")

    # The exit question is an alert; "Не" keeps the lesson, "Да" ends it.
    exit_item = find(frame, role="menu item", name="Изход")
    if not check(exit_item is not None, "the exit command is there"):
        return
    for reply in ("Не", "Да"):
        press(exit_item)
        alert = wait_for(lambda: find(app, role="alert"))
        if not check(alert is not None, "the exit question is announced as an alert"):
            return
        if reply == "Не":
            print("alert: „%s“, въпрос: „%s“" % (alert.name, question_of(alert).replace("\n", " ")))
            check(alert.name == "Електронен урок", "the alert is named by its caption")
            check("урок" in question_of(alert) and not alert.description,
                  "the alert's text is the question, said once (no description repeats it)")
        button = wait_for(lambda: find(alert, role="push button", name=reply))
        if not check(button is not None, "the alert has a button „%s“" % reply):
            return
        press(button)
        if reply == "Не":
            gone = wait_for(lambda: find(app, role="alert") is None)
            check(bool(gone), "„Не“ closes the question")
            check(lesson.poll() is None, "„Не“ keeps the lesson running")
    ended(lesson, folder)


def whole_lesson(lesson, folder, app, frame):
    """A whole lesson with the keys alone, the tasks open before the plan is
    written; what a screen reader is told after each step."""
    plan = wait_for(lambda: find(frame, role="list", name="План на урока"))
    bar = find(frame, role="progress bar", name="Оставащо време за записване на точката")
    ribbon = find(frame, role="progress bar", name="Преминат материал от плана")
    picture = find(frame, role="image", name="Илюстрация към избраната точка")
    if not check(None not in (plan, bar, ribbon, picture), "the plan, its bars and its picture are there"):
        return
    focus_is(app, "text", "Тема на урока", "the lesson opens on its topic")
    check(time_said(app) == "Не се отброява време", "F2 before a point is chosen: no time is counted")

    # The plan: Tab goes to its first point, Down to the next, Enter chooses.
    # While a point is written the list is locked and says so; once written,
    # its entry says so, the ribbon counts it and the window tells it.
    step(app, "Tab", "list item", plan.getChildAtIndex(0).name)
    check(chosen(plan) == [], "Tab chooses no point")
    shown = set()
    for point in range(1, plan.childCount + 1):
        entry = plan.getChildAtIndex(point - 1)
        if point > 1:
            step(app, "Down", "list item", entry.name)
            check(chosen(plan) == [point - 2], "Down chooses nothing: point %d stays chosen" % (point - 1))
        step(app, "Return", "list item", entry.name + "…")  # now „…, избрана“
        check(wait_for(lambda: chosen(plan) == [point - 1]), "Enter chooses point %d" % point)
        # The point takes two seconds, which a busy machine may spend before
        # the plan is read: what the window said meanwhile is heard all the same.
        said("Точка %d се записва. " % point)
        shown.add(picture.description)
        sentence = said("Точка %d е записана." % point)
        check(wait_for(lambda: entry.name.endswith(", записана, избрана")),
              "the point written and chosen is named „…, записана, избрана“: „%s“" % entry.name)
        check(value_of(ribbon) == (point, 4), "the ribbon counts %d of 4 points: %s" % (point, value_of(ribbon)))
        check(wait_for(lambda: plan.description.startswith("Стрелките")), "the plan is unlocked again")
    check("Всички точки са записани." in sentence, "the last point says that all are written")
    check(len(shown - {"без илюстрация"}) > 0, "the plan's pictures say what they show: %s" % shown)

    # Back to point 1, written: choosing it counts no time. Its picture says
    # what it shows; Enter shows it in full size, Escape closes it.
    step(app, "Up " * (plan.childCount - 1), "list item", plan.getChildAtIndex(0).name + "…")
    key("Return")
    check(wait_for(lambda: chosen(plan) == [0]), "Enter chooses the written point 1")
    said("Точка 1 вече е записана; текстът ѝ е показан.")
    check(value_of(bar) == (0, 0), "a written point counts no time: %s" % (value_of(bar),))
    step(app, "Tab", "image", picture.name)
    check(picture.description.endswith(" Enter я показва в пълен размер."),
          "the picture says what it shows and what Enter does: „%s“" % picture.description)
    key("Return")
    full = window(app, "Пълен размер на графиката", "the full-size picture")
    if full is not None:
        check(full.description == picture.description.replace("Enter я показва в пълен размер.",
                                                              "Escape затваря прозореца."),
              "the full-size picture says what it shows and what Escape does")
        step(app, "Escape", "image", picture.name)

    opened = mark()
    key("Alt+з")
    tasks = window(app, "Комбиниран урок - задачи + речник", "the tasks window")
    if tasks is not None:
        tasks_window(folder, app, tasks, opened)
    key("Alt+в")
    window(app, "Програмиран урок")
    focus_is(app, "image", picture.name, "back in the lesson, the focus is where it was")

    # The colour window: the arrows choose the target, a slider moved with
    # the keys says the colour's code; Escape leaves it.
    key("Alt+ц")
    colours = window(app, "Формиране на цвят/избор на шрифт", "the colour window")
    if colours is not None:
        targets = [n for n in walk(colours) if n.getRoleName() == "radio button"]
        check(find(colours, role="menu item", name="Данни") is not None, "„Danni“ is heard as „Данни“")
        code = find(colours, role="label", name="Цвят")
        focus_is(app, "radio button", targets[0].name, "the colour window opens on the first target")
        step(app, "Down", "radio button", targets[1].name)
        check(has(targets[1], pyatspi.STATE_CHECKED), "Down checks the second target")
        slider = step(app, "Tab", "slider", "Червена съставка")
        if slider is not None and code is not None:
            value = value_of(slider)[0]
            key("Right")
            words = r"[а-я]+, код \d+, шестнадесетично [0-9A-F]+"
            check(wait_for(lambda: value_of(slider)[0] == value + 1
                           and re.fullmatch(words, slider.description)
                           and code.description == "Получен цвят: " + slider.description),
                  "Right moves the slider by one; it says the colour in words with its code: „%s“"
                  % slider.description)
            said(slider.description)
        step(app, "Escape", "image", picture.name)

    # Alt+И asks; Alt+Н keeps the lesson, Alt+Д ends it.
    key("Alt+и")
    answer(app, "Желаете ли изход от урока?", "Не")
    focus_is(app, "image", picture.name, "„Не“ keeps the lesson, the focus where it was")
    key("Alt+и")
    answer(app, "Желаете ли изход от урока?", "Да")
    ended(lesson, folder)
    said("Отговорите са записани във файла OTGOWORI.TXT.")
    with open(os.path.join(folder, "OTGOWORI.TXT"), "rb") as answers:
        check(b"gcd(a, b)" in answers.read(), "the answers file holds the typed answer")


def tasks_window(folder, app, tasks, opened):
    """The tasks window with the chooser and the Focus window, opened with
    the event `opened`."""
    task_list = find(tasks, role="list", name="Номера на въпросите и задачите")
    clock = find(tasks, starts="Оставащо време")
    hint = find(tasks, role="text", name="Указания към задачата")
    solution = find(tasks, role="text", name="Решение на автора")
    terms = find(tasks, role="list", name="Речник: списък на термините")
    definition = find(tasks, role="text", name="Определение на избрания термин")
    if not check(None not in (task_list, clock, hint, solution, terms, definition),
                 "the tasks window has its lists, fields and clock"):
        return
    first, second = task_list.getChildAtIndex(0), task_list.getChildAtIndex(1)
    focus_is(app, "list item", first.name, "the tasks window opens on task 1")
    check(chosen(task_list) == [0] and first.name.endswith(", избрана"), "task 1 is chosen: „%s“" % first.name)
    # A screen reader is told the entry, and then the task with its time.
    check(wait_for(lambda: first.name in sent("focus", opened, role="list item")),
          "the task list tells its current entry as it takes the focus: %s" % sent("focus", opened))
    said("Задача 1, сложност 1, ")

    # Task 1 counts its ten seconds: F2 tells them as the clock shows them;
    # the hint and the end of the time are said as they come, the focus
    # staying on the task list.
    sentence = time_agrees(app, clock)
    check(0 < (seconds_in(sentence) or 0) <= 10 or sentence == "Не се отброява време",
          "F2 tells the task's seconds: „%s“" % sentence)
    sentence = said("Допълнително упътване: ")
    check(sentence[len("Допълнително упътване: "):] in text_of(hint), "the hint said is in the hint field")
    check(hint.description.startswith("Стрелките четат упътването"),
          "the hint field no longer says the hint is to come: „%s“" % hint.description)
    time_agrees(app, clock)
    said("Времето за задачата изтече. Отговорът вече не може да се променя. Решението на автора "
         "е в полето „Решение на автора“")
    answer_field = find(tasks, role="text", name="Вашият отговор")
    check(not has(answer_field, pyatspi.STATE_EDITABLE)
          and answer_field.description.startswith("Отговорът вече не може да се променя"),
          "the answer field is read-only at once: „%s“" % answer_field.description)
    focus_is(app, "list item", first.name, "the hint and the end of the time leave the focus")
    check(wait_for(lambda: text_of(solution).strip()), "the author's solution is shown")
    check(time_said(app) == "Не се отброява време", "F2 after the time: „Не се отброява време“")

    # Alt+З opens the menu „Запис“, Enter takes its first command.
    step(app, "Alt+з", "menu item", "Запис условие+решение")
    key("Return")
    said("Условието и отговорът са записани във файла OPTIM_01.TXT.")
    check(os.path.exists(os.path.join(folder, "OPTIM_01.TXT")), "the task is saved in OPTIM_01.TXT")
    focus_is(app, "list item", first.name, "after saving the focus is back on the task list")

    # Task 2 is harder: after „Да премина ли...“ comes „Задачата е с повишена
    # трудност!“; „Не“ to it keeps task 1, „Да“ takes task 2.
    for reply, now in (("Не", first), ("Да", second)):
        step(app, "Down", "list item", second.name)
        check(chosen(task_list) == [0], "Down chooses nothing: %s" % chosen(task_list))
        key("Return")
        answer(app, "Да премина ли към друга задача?", "Да")
        answer(app, "Задачата е с повишена трудност!", reply)
        focus_is(app, "list item", now.name, "after „%s“ the focus is on the task chosen" % reply)
        check(chosen(task_list) == [now.getIndexInParent()], "„%s“: %s chosen" % (reply, chosen(task_list)))
    sentence = time_said(app)
    check(1900 < (seconds_in(sentence) or 0) <= 2000, "F2 tells minutes and seconds: „%s“" % sentence)

    # The answer is three Tabs on; Alt+Ф shows it enlarged in the Focus
    # window, where it is typed on; Escape brings it back.
    step(app, "Tab Tab Tab", "text", "Вашият отговор")
    field = focused(app)
    type_text("gcd(a, b)")
    check(wait_for(lambda: " ".join(text_of(field).split()) == "gcd(a, b)"),
          "the answer is typed: „%s“" % text_of(field))
    key("Alt+ф")
    zoom = window(app, "Изберете желана стойност за размер на шрифта", "the Focus window")
    if zoom is not None:
        enlarged = find(zoom, role="text", name="Увеличен текст")
        check(enlarged is not None and text_of(enlarged).startswith("gcd(a, b)"), "it shows the answer")
        step(app, "Tab", "text", "Увеличен текст")
        key("End")
        type_text(" = 6")
        step(app, "Escape", "text", "Вашият отговор")
        check(wait_for(lambda: " ".join(text_of(field).split()) == "gcd(a, b) = 6"),
              "what was typed in the Focus window is the answer: „%s“" % text_of(field))

    # Ctrl+Tab leaves the answer; on to the dictionary, where Down moves
    # through the terms, Enter or a click shows one.
    before = chosen(terms)
    step(app, "Control+Tab", "text", "Решение на автора")
    step(app, "Tab", "image", "Илюстрация към термина или задачата")
    step(app, "Tab", "list item", terms.getChildAtIndex(before[0] if before else 0).name)
    following = before[0] + 1 if before else 0
    step(app, "Down", "list item", terms.getChildAtIndex(following).name)
    check(chosen(terms) == before, "Down chooses no term")
    key("Return")
    check(wait_for(lambda: chosen(terms) == [following] and text_of(definition).strip()),
          "Enter chooses the term and shows its definition: %s" % chosen(terms))
    said("Показано е определението на „")
    shown = text_of(definition)
    click(terms.getChildAtIndex(0))
    check(wait_for(lambda: chosen(terms) == [0] and text_of(definition) != shown),
          "a click chooses the first term and shows its definition")

    # Alt+Н opens the chooser; Down moves through it, a click picks a task.
    key("Alt+н")
    chooser = window(app, "Тип и сложност на задачи", "the task chooser")
    if chooser is not None:
        levels = find(chooser, role="list", name="Задачите по сложност")
        focus_is(app, "list item", levels.getChildAtIndex(0).name, "the chooser opens on its first entry")
        entry = step(app, "Down", "list item", levels.getChildAtIndex(1).name)
        check(chosen(levels) == [] and showing(chooser), "Down picks nothing")
        picked = int(entry.name.split()[-1]) if entry else 0
        click(entry)
        check(wait_for(lambda: gone(chooser)), "a click picks task %d and closes the chooser" % picked)
        answer(app, "Да премина ли към друга задача?", "Да")
        focus_is(app, "list item", task_list.getChildAtIndex(picked - 1).name,
                 "after a pick the keyboard is on the task picked")
        check(chosen(task_list) == [picked - 1], "task %d is chosen: %s" % (picked, chosen(task_list)))
        said("Задача %d, сложност " % picked)


if __name__ == "__main__":
    sys.exit(main())
