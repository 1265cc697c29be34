"""A Linux drag source that speaks XDND as a Linux file manager does: a small
GTK window in the screen's top-left corner offering the files named on the
command line as text/uri-list. Prints "ready" once shown and "drag-end" when
a drag has ended, then quits.

Runs with Debian's python3 (python3-gi, gir1.2-gtk-3.0)."""
import sys
from pathlib import Path

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402

paths = sys.argv[1:]
uris = [Path(p).resolve().as_uri() for p in paths]

win = Gtk.Window(title="xdnd-source")
win.move(0, 0)
win.set_default_size(120, 80)
button = Gtk.Button(label="drag me")
win.add(button)
target = Gtk.TargetEntry.new("text/uri-list", 0, 0)
button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [target], Gdk.DragAction.COPY | Gdk.DragAction.MOVE)



def on_get(widget, context, data, info, time):
    data.set_uris(uris)


def on_end(widget, context):
    print("drag-end", flush=True)
    GLib.timeout_add(300, Gtk.main_quit)


button.connect("drag-data-get", on_get)
button.connect("drag-end", on_end)
win.connect("destroy", Gtk.main_quit)
win.show_all()
print("ready", flush=True)
Gtk.main()
