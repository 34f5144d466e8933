# wish drag_files.tcl FILE...: a window that offers FILE... as a file drag (XDND), like a file
# manager's, to whoever the pointer drops them on.
package require tkdnd

wm title . "drag source"
wm geometry . 200x100+600+100
label .files -text "drag me" -background yellow
pack .files -fill both -expand true
tkdnd::drag_source register .files DND_Files
bind .files <<DragInitCmd>> {list copy DND_Files $::argv}
