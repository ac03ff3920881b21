# SPDX-License-Identifier: GPL-3.0-or-later
"""Uses the demo with keys only, as a blind pilot does, under the Orca screen reader, and checks
what Orca speaks, in the language given: the port and the settings read, a text value edited three
times, Apply by Ctrl+Return, a refused value, a list changed, Save settings, the About box, the
protocols, expert mode, the search, and the question on closing with a change not applied.

orcaspeech.py DEMO [LANGUAGE]: prints what Orca spoke after each step; exits 0 when every check
held, 1 when one failed, 77 when Orca, xdotool or the accessibility bus is missing.
"""
import ctypes
import ctypes.util
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from xml.etree import ElementTree

SKIP = 77
here = os.path.dirname(os.path.abspath(__file__))
failures = []

# What the pilot hears, in the words the program's translations give it.
SOURCES = {
    "saved": "Changes saved",
    "table": "Tracker settings",
    "nothing": "Nothing to write: the tracker already holds these values",
    "longer": "%1: at most %2 characters (this is %3)",
    "changed": "changed",
    "about": "About tracktune",
    "saved_to": "Settings saved to:",
    "automatic": "Automatic",
    "find": "&Find:",
    "save": "Sa&ve settings...",
    "load": "&Load settings...",
    "port": "Serial &port:",
    "expert": "E&xpert mode",
    "not_applied": "Changes not applied",
}
# Plural texts: what follows the count in the plural form.
PLURALS = {"rows_match": "%n row(s) match"}


def texts_in(language):
    """Each text of SOURCES in the language, as its translation file has it, without its access
    key; the keys to press for those with one."""
    path = os.path.join(here, "..", "..", "widgets", "translations", "tracktune_%s.ts" % language)
    translated, plurals = {}, {}
    if os.path.exists(path):
        for message in ElementTree.parse(path).getroot().iter("message"):
            source, translation = message.find("source"), message.find("translation")
            if source is None or translation is None:
                continue
            forms = [form.text for form in translation.iter("numerusform") if form.text]
            if forms:
                plurals.setdefault(source.text, forms[-1])
            elif translation.text and translation.text.strip():
                translated.setdefault(source.text, translation.text)
    texts = {}
    for key, source in SOURCES.items():
        text = translated.get(source, source)
        if "&" in text:
            texts[key + "_key"] = "alt+" + text[text.index("&") + 1].lower()
        texts[key] = text.replace("&", "").rstrip(".:")
    texts["longer"] = texts["longer"].replace("%1", "Reg").replace("%2", "15").replace("%3", "20")
    for key, source in PLURALS.items():
        texts[key] = plurals.get(source, source).replace("%n", "").strip()
    return texts


def say(text):
    print(text, flush=True)


def check(condition, what):
    say(("ok: " if condition else "FAILED: ") + what)
    if not condition:
        failures.append(what)
    return condition


class Speech:
    """What Orca spoke, read from its log: one entry per utterance, in order."""
    RECORD = re.compile(r"\n(?=\d\d:\d\d:\d\d\.\d{6} - |\n|[A-Za-z^v])")
    SPOKEN = re.compile(r"\d\d:\d\d:\d\d\.\d{6} - SPEECH OUTPUT: '(.*)", re.S)
    VOICE = re.compile(r"(?: voice=\w+)?\s*(\{[^{}]*\}|\[\{.*\}\])?$", re.S)

    def __init__(self, log):
        self.log = log

    def all(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                text = log.read()
        except OSError:
            return []
        spoken = []
        for record in self.RECORD.split(text):
            found = self.SPOKEN.match(record)
            if found:
                utterance = self.VOICE.sub("", found.group(1).rstrip())
                spoken.append(" ".join(utterance.rstrip("'").split()))
        return spoken

    def mark(self):
        return len(self.all())

    def since(self, mark):
        return self.all()[mark:]

    def wait_for(self, mark, wanted, seconds=15):
        """The utterances since the mark once one contains a wanted text; None at the deadline."""
        wanted = [wanted] if isinstance(wanted, str) else wanted
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            heard = self.since(mark)
            if any(w in u for u in heard for w in wanted):
                return heard
            time.sleep(0.1)
        return None

    def settle(self, mark, quiet=0.6, seconds=10):
        """The utterances since the mark once Orca has been silent for a moment."""
        end = time.monotonic() + seconds
        count, still = -1, time.monotonic()
        while time.monotonic() < end:
            heard = self.since(mark)
            if len(heard) != count:
                count, still = len(heard), time.monotonic()
            elif time.monotonic() - still >= quiet:
                break
            time.sleep(0.1)
        return self.since(mark)


def keys(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)
        time.sleep(0.15)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def step(speech, what, action, wanted, seconds=30):
    """Does the action and waits until Orca says one of the wanted texts; prints what it said."""
    mark = speech.mark()
    action()
    heard = speech.wait_for(mark, wanted, seconds) if wanted else None
    heard = speech.settle(mark) if heard is not None or not wanted else speech.since(mark)
    say("[%s] %s" % (what, " | ".join(heard)))
    if wanted:
        check(any(w in u for u in heard for w in ([wanted] if isinstance(wanted, str) else wanted)),
              "%s: Orca says %r" % (what, wanted))
    return heard


def heard_text(heard):
    return " | ".join(heard)


def ask_to_close(window):
    """Asks the window to close as a window manager's close button does (WM_DELETE_WINDOW): the
    check runs without a window manager, so Alt+F4 closes nothing."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                    ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("message", ClientMessage), ("pad", ctypes.c_long * 24)]

    display = x11.XOpenDisplay(None)
    event = Event()
    event.message.type = 33  # ClientMessage
    event.message.window = int(window)
    event.message.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", False)
    event.message.format = 32
    event.message.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", False)
    x11.XSendEvent(display, int(window), False, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)


def window_of(pid, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = subprocess.run(["xdotool", "search", "--pid", str(pid)],
                               capture_output=True, text=True).stdout.split()
        for window in found:
            name = subprocess.run(["xdotool", "getwindowname", window], capture_output=True,
                                  text=True).stdout
            if " - " in name:  # the main window's title, not Qt's helper windows
                return window
        time.sleep(0.2)
    return None


def table_filled(seconds=30):
    """The tracker's list shown: the window's table has rows and can be used."""
    sys.path.insert(0, here)
    import pyatspi
    import readwindow
    app = readwindow.wait_for(lambda: readwindow.application("tracktune-demo"), seconds)
    if app is None:
        return False
    window = readwindow.wait_for(lambda: app.getChildAtIndex(0), 10)
    return readwindow.wait_for(
        lambda: readwindow.find(window, lambda n: n.getRole() == pyatspi.ROLE_TABLE
                                and n.queryTable().nRows > 0
                                and n.getState().contains(pyatspi.STATE_ENABLED)), seconds) is not None


def scenario(speech, texts, focus, window, work=None):
    # The keyboard lands on the table: its name, then the pilot's cell.
    heard = step(speech, "window", focus, texts["table"], 20)
    check("Address" in heard_text(heard), "the focused cell is read with the table")
    # The port list says which port it holds.
    step(speech, "port list", lambda: keys(texts["port_key"]), "/dev/")
    step(speech, "back to the table", lambda: keys("Tab", "Tab"), texts["table"])

    # Reg, in the Value column.
    heard = step(speech, "to Reg", lambda: keys(*(["Down"] * 6), "Right"), "Reg")

    # A text value typed, taken, and written with Ctrl+Return. The editor says what it edits.
    step(speech, "edit Reg", lambda: keys("Return"), "\u00b7 Reg")
    # The cell is read once the editor has closed; on a loaded machine Orca has been seen to hold
    # that back until the next key, so the typed text may come with Apply's outcome instead.
    typed_heard = step(speech, "type D-KTOW", lambda: (typed("D-KTOW"), keys("Return")), None)
    heard = step(speech, "Ctrl+Return", lambda: keys("ctrl+Return"), texts["saved"], 30)
    check("D-KTOW" in heard_text(typed_heard + heard), "the typed text is read")
    check(not any(texts[w] in heard_text(heard) for w in ("save", "load", "find")),
          "the focus stays put while Apply runs")

    # The same cell again after the tracker's value was read back: the new text is read, whole.
    heard = step(speech, "edit Reg again", lambda: keys("Return"), "D-KTOW")
    check("\u00b7 Reg" in heard_text(heard), "the editor is read with its name")
    heard = step(speech, "type D-KABC", lambda: (keys("ctrl+a"), typed("D-KABC"), keys("Return")),
                 "D-KABC")
    check("D-KTOW" not in heard_text(heard), "the edited cell is not read with its old text")

    # A value the tracker would not take: the reason is spoken.
    step(speech, "edit Reg a third time", lambda: keys("Return"), "D-KABC")
    step(speech, "type 20 characters",
         lambda: (keys("ctrl+a"), typed("ABCDEFGHIJKLMNOPQRST"), keys("Return")), texts["longer"])

    # A list editor: its value and, once changed, its mark.
    heard = step(speech, "up to FreqPlan", lambda: keys("Up"), "FreqPlan")
    check(texts["automatic"] in heard_text(heard), "the list editor's value is read")
    step(speech, "open the list", lambda: keys("Return"), texts["automatic"])
    heard = step(speech, "pick the next", lambda: keys("Down", "Return"), texts["changed"])

    step(speech, "Ctrl+Return", lambda: keys("ctrl+Return"), texts["saved"], 30)
    step(speech, "Ctrl+Return, nothing changed", lambda: keys("ctrl+Return"), texts["nothing"])

    # Save settings: its file dialog, then where the file went is heard.
    if work:
        path = os.path.join(work, "settings.txt")
        today = time.strftime("%Y-%m-%d")
        # The name it offers is read whole: Qt's own line edit lost its last character.
        step(speech, "Save settings", lambda: keys(texts["save_key"]), "-%s.txt selected" % today)
        step(speech, "the file's name, Return",
             lambda: (keys("ctrl+a"), typed(path), keys("Return")), texts["saved_to"], 20)
        check(os.path.exists(path), "the settings file was written")
        step(speech, "back to the window", focus, texts["table"])

    # A dialog: About opens on a control with a name.
    heard = step(speech, "F1", lambda: keys("F1"), texts["about"])
    check("push button" in heard_text(heard), "About opens on a named button")
    # Without a window manager the window gets the keyboard back from the test, not by itself.
    step(speech, "close About", lambda: (keys("Escape"), focus()), "FreqPlan")

    # The protocols' menu: Space and Return tick or untick an entry, and the menu stays open.
    # (Without a window manager Orca takes the menu's entries for another window's and says
    # nothing of them here; what is left ticked is heard once the menu has closed.)
    step(speech, "up to TxProtMask", lambda: keys("Up"), "TxProtMask")
    step(speech, "open the menu, untick FLARM, untick and tick OGN",
         lambda: keys("Return", "Down", "space", "Down", "Return", "Return"), None)
    heard = step(speech, "close the menu", lambda: keys("Escape"), "TxProtMask")
    check("OGN, ADS-L" in heard_text(heard) and "FLARM" not in heard_text(heard),
          "the protocols' button reads what is left ticked")

    # A mode switch reads the list again while the controls are grey: the focus stays put.
    heard = step(speech, "expert mode", lambda: keys(texts["expert_key"]), None)
    check(not any(texts[w] in heard_text(heard) for w in ("save", "load", "find")),
          "the focus does not wander while the list is read again")
    heard = step(speech, "Ctrl+F", lambda: keys("ctrl+f"), texts["find"])
    heard = step(speech, "search", lambda: typed("freq"), texts["rows_match"])
    check(heard_text(heard).count(texts["rows_match"]) == 1, "only the last count of a search is heard")

    # Closing with the protocols not yet applied asks first; Escape keeps the window.
    heard = step(speech, "close the window", lambda: ask_to_close(window), texts["not_applied"])
    check("1" in heard_text(heard), "the question says how many changes are not applied")
    step(speech, "Escape: the window stays", lambda: keys("Escape"), None)


def main():
    demo = sys.argv[1]
    language = sys.argv[2] if len(sys.argv) > 2 else "en"
    for tool in ("xdotool",):
        if not shutil.which(tool):
            say("SKIP: %s is missing" % tool)
            return SKIP
    if subprocess.run([sys.executable, "-c", "import orca.orca, pyatspi"],
                      capture_output=True).returncode != 0:
        say("SKIP: the Orca screen reader is missing")
        return SKIP
    work = tempfile.mkdtemp(prefix="orcaspeech-")
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                       LANGUAGE=language, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                       GSETTINGS_BACKEND="memory", HOME=work, XDG_CONFIG_HOME=work,
                       XDG_DATA_HOME=work, XDG_RUNTIME_DIR=work)
    environment.pop("QT_QPA_PLATFORM", None)
    os.environ.update({k: environment[k] for k in ("GSETTINGS_BACKEND", "XDG_RUNTIME_DIR")})
    processes = []
    try:
        complaints = open(os.path.join(work, "demo.err"), "w+")
        demo_process = subprocess.Popen([demo], env=environment, stderr=complaints)
        processes.append(demo_process)
        if not table_filled():
            say("SKIP: the demo's window never appeared on the accessibility bus")
            return SKIP if demo_process.poll() is None else 1
        log = os.path.join(work, "orca.log")
        orca_environment = dict(environment, LANGUAGE="en", LANG="C.UTF-8")
        processes.append(subprocess.Popen(
            [sys.executable, os.path.join(here, "orcaquiet.py"), os.path.join(work, "orca"), log],
            env=orca_environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        speech = Speech(log)
        if speech.wait_for(0, "Screen reader on", 30) is None:
            say("SKIP: Orca did not start")
            return SKIP
        window = window_of(demo_process.pid)
        if not check(window is not None, "the demo's window is found"):
            return 1
        texts = texts_in(language)
        scenario(speech, texts,
                 lambda: subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True),
                 window, work)
        if demo_process.poll() is not None:
            check(False, "the demo ran to the end (it ended with %s)" % demo_process.returncode)
        complaints.seek(0)
        complained = complaints.read()
        check("ValueChanged event and no ValueInterface" not in complained,
              "Qt's bridge is told no value of a control that has none")
        check("Fix my children" not in complained,
              "every control the screen reader asks about has its place in the tree")
        return 1 if failures else 0
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
        # Orca's whole log, for a look at what it was told, where asked for.
        if os.environ.get("ORCASPEECH_LOG"):
            shutil.copy(os.path.join(work, "orca.log"), os.environ["ORCASPEECH_LOG"])
        # And what the demo wrote to its error output.
        if os.environ.get("ORCASPEECH_DEMO_ERR"):
            shutil.copy(os.path.join(work, "demo.err"), os.environ["ORCASPEECH_DEMO_ERR"])
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
