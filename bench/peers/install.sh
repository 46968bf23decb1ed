# Sourced by the benchmark scripts: finds the peer readers the comparison
# runs. PEERS_DIR names a temporary folder; afterwards OPENPYXL_PYTHON names a
# python3 with openpyxl (empty when there is none) and NODE_PEERS is "yes"
# when the npm packages "xlsx" and "exceljs" were installed into PEERS_DIR.
# Nothing here is a build or test dependency.
OPENPYXL_PYTHON=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c "import openpyxl" 2>/dev/null; then OPENPYXL_PYTHON="$candidate"; break; fi
done
[ -n "$OPENPYXL_PYTHON" ] || echo "openpyxl: not installed (apt-get install python3-openpyxl), no comparison with it"

NODE_PEERS=no
if ! command -v npm > /dev/null || ! command -v node > /dev/null; then
  echo "npm: not installed, no comparison with the JavaScript readers"
elif npm install --prefix "$PEERS_DIR" --no-audit --no-fund --silent xlsx exceljs > "$PEERS_DIR/npm.log" 2>&1; then
  NODE_PEERS=yes
  cp "$(dirname "${BASH_SOURCE[0]}")"/read_*.js "$PEERS_DIR/"
  echo "npm: installed xlsx $(node -p "require('$PEERS_DIR/node_modules/xlsx/package.json').version")" \
       "and exceljs $(node -p "require('$PEERS_DIR/node_modules/exceljs/package.json').version") into a temporary folder"
else
  echo "npm: could not install xlsx and exceljs (see below), no comparison with the JavaScript readers"
  tail -5 "$PEERS_DIR/npm.log"
fi
