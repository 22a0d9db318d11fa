# Shared by the benches: sourced, not run.

# link_data DATA DIR: the game's data folder as links in DIR, without the settings files
# (*.cfg), so that a bench writes its own there; links already there are replaced.
link_data() {
  local entry
  mkdir -p "$2"
  for entry in "$1"/*; do
    case "$(basename "$entry")" in *.cfg) continue ;; esac
    ln -sfn "$entry" "$2/$(basename "$entry")"
  done
}
