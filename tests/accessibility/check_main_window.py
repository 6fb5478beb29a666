#!/usr/bin/python3
"""Reads and drives the lesson's main window the way a screen reader does.

Runs the program (argv[1]) in a fresh folder with the lesson's configuration
file (argv[2]) and talks to it over AT-SPI: the controls must carry Bulgarian
names, roles and descriptions, the countdown bar and the plan ribbon must be
progress bars whose values move, and the exit question must be an alert that
can be answered. Prints what a screen reader finds on the main window.

Needs an X display, a D-Bus session bus and python3-pyatspi; the CTest
script starts it under Xvfb and dbus-run-session.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAIL: " + what)
    return condition


def wait_for(probe, seconds, step=0.25):
    """Polls probe() until it gives something true; None when the time is out."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # the tree may change under our feet
            found = None
        if found:
            return found
        time.sleep(step)
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid and app.childCount > 0:
            return app
    return None


def find(root, role=None, name=None, starts=None):
    for node in walk(root):
        if role is not None and node.getRoleName() != role:
            continue
        if name is not None and node.name != name:
            continue
        if starts is not None and not node.name.startswith(starts):
            continue
        return node
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def value_of(node):
    v = node.queryValue()
    return v.currentValue, v.maximumValue


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def chosen_points(plan):
    """The entries a screen reader hears as selected."""
    return [i for i in range(plan.childCount)
            if plan.getChildAtIndex(i).getState().contains(pyatspi.STATE_SELECTED)]


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
    parts = [node.getRoleName()]
    if node.name:
        parts.append("„%s“" % node.name)
    if node.description:
        parts.append("описание: „%s“" % node.description)
    try:
        current, maximum = value_of(node)
        if node.getRoleName() == "progress bar":
            parts.append("стойност %g от %g" % (current, maximum))
    except NotImplementedError:
        pass
    role = node.getRoleName()
    if role == "text":
        try:
            parts.append("текст: „%s“" % text_of(node)[:60].replace("\n", " "))
        except Exception:
            pass
    if role not in ("filler", "scroll bar") or node.name:
        lines.append("  " * depth + ", ".join(parts))
    if role in ("list", "menu", "popup menu"):
        depth_items = [node.getChildAtIndex(i) for i in range(node.childCount)]
        for item in depth_items:
            if item is not None:
                lines.append("  " * (depth + 1) + item.getRoleName() + ", „%s“" % item.name)
        return lines
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and child.getRoleName() != "scroll bar":
            describe(child, depth + 1, lines)
    return lines


def main():
    program, config = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    folder = tempfile.mkdtemp(prefix="urok-a11y-")
    shutil.copy(config, os.path.join(folder, "OPTIM.UFG"))
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    lesson = subprocess.Popen([program], cwd=folder, env=env)
    try:
        run(lesson, folder)
    finally:
        if lesson.poll() is None:
            lesson.kill()
            lesson.wait()
        shutil.rmtree(folder, ignore_errors=True)
    if FAILURES:
        print("%d check(s) failed" % len(FAILURES))
        return 1
    print("all checks passed")
    return 0


def run(lesson, folder):
    app = wait_for(lambda: application(lesson.pid), 60)
    if not check(app is not None, "the program appears on the accessibility bus"):
        return
    frame = wait_for(lambda: find(app, role="frame", starts="Програмиран урок"), 30)
    if not check(frame is not None, "the main window is a frame named by its title"):
        return
    plan = wait_for(lambda: find(frame, role="list", name="План на урока"), 30)
    check(plan is not None, "the plan is a list named „План на урока“")

    print("What a screen reader finds on the main window:")
    print("\n".join(describe(frame)))

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
    unnamed = [n.getRoleName() for n in walk(frame)
               if showing(n) and not n.name
               and n.getRoleName() in ("text", "list", "image", "progress bar", "push button",
                                       "slider", "radio button", "label")]
    check(not unnamed, "every visible control has a name (unnamed: %s)" % unnamed)

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
        check(first is not None and press(first, "Toggle"), "a plan point can be chosen (Toggle)")
        started = wait_for(lambda: value_of(bar)[1] > 0 and value_of(bar), 10)
        check(bool(started), "choosing a point starts the countdown value")
        if started:
            print("countdown after choosing point 1: %g of %g seconds" % started)
            later = wait_for(lambda: value_of(bar)[0] < started[0] and value_of(bar), 6)
            check(bool(later), "the countdown value goes down with the seconds")
            if later:
                print("two seconds later: %g of %g seconds" % later)
        check(content is not None and text_of(content).strip() != "",
              "the chosen point's text is readable")
        check(chosen_points(plan) == [0], "the list tells that point 1 is chosen (selected)")
        # While point 1 is written the list is locked: a Toggle chooses nothing.
        before = content is not None and text_of(content)
        second = plan.getChildAtIndex(1)
        check(second is not None and press(second, "Toggle"), "point 2 can be toggled")
        time.sleep(0.5)
        check(chosen_points(plan) == [0], "the locked list keeps point 1 chosen: %s" % chosen_points(plan))
        check(content is not None and text_of(content) == before,
              "the locked list shows no other point")

    # The exit question is an alert; "Не" keeps the lesson, "Да" ends it.
    exit_item = find(frame, role="menu item", name="Изход")
    if not check(exit_item is not None, "the exit command is there"):
        return
    for answer in ("Не", "Да"):
        press(exit_item)
        alert = wait_for(lambda: find(app, role="alert"), 15)
        if not check(alert is not None, "the exit question is announced as an alert"):
            return
        if answer == "Не":
            print("alert: „%s“, описание: „%s“" % (alert.name, alert.description.replace("\n", " ")))
            check(alert.name == "Електронен урок", "the alert is named by its caption")
            check("урок" in alert.description, "the alert's description is the question")
        button = wait_for(lambda: find(alert, role="push button", name=answer), 5)
        if not check(button is not None, "the alert has a button „%s“" % answer):
            return
        press(button)
        if answer == "Не":
            gone = wait_for(lambda: find(app, role="alert") is None, 10)
            check(bool(gone), "„Не“ closes the question")
            check(lesson.poll() is None, "„Не“ keeps the lesson running")
    try:
        code = lesson.wait(timeout=15)
    except subprocess.TimeoutExpired:
        code = None
    check(code == 0, "„Да“ ends the lesson cleanly (exit code %s)" % code)
    check(os.path.exists(os.path.join(folder, "OTGOWORI.TXT")), "the answers file is written on exit")


if __name__ == "__main__":
    sys.exit(main())
