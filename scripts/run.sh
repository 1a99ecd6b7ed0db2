#!/usr/bin/env bash
# Installs what is missing, builds, starts the local stand-in of the events service, and starts
# the application on it. With VELARI_SERVICE_URL already set, the application uses that service
# instead and no stand-in is started.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

if [ -z "${VELARI_SERVICE_URL:-}" ]; then
  data="${VELARI_SERVER_DATA:-${XDG_DATA_HOME:-$HOME/.local/share}/velari-server}"
  output="$(mktemp)"
  build/bin/velari-server --data-dir "$data" \
    --port "${VELARI_SERVER_PORT:-8080}" --tls-port "${VELARI_SERVER_TLS_PORT:-8443}" \
    ${VELARI_SERVER_ARGS:-} >"$output" 2>&1 &
  server=$!
  trap 'kill "$server" 2>/dev/null; rm -f "$output"' EXIT
  for _ in $(seq 300); do
    grep -q ' listening ' "$output" && break
    kill -0 "$server" 2>/dev/null || { cat "$output" >&2; exit 1; }
    sleep 0.1
  done
  line="$(grep -m1 ' listening ' "$output")" || { cat "$output" >&2; exit 1; }
  echo "$line"
  service=(--service "$(sed -E 's/.* (http:[^ ]+) .*/\1/' <<<"$line")"
    --service-tls "$(sed -E 's/.* (https:[^ ]+) .*/\1/' <<<"$line")"
    --service-ca "$(sed -E 's/.* ca=([^ ]+).*/\1/' <<<"$line")")
else
  service=()
fi

app=(build/bin/velari-events "${service[@]}" "$@")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  # No screen here: run in a virtual one.
  xvfb-run -a -s "-screen 0 720x1280x24" "${app[@]}"
else
  "${app[@]}"
fi
