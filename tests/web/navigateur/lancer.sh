#!/usr/bin/env bash
# usage: tests/web/navigateur/lancer.sh [SITE]
# The page of the web edition in Chromium headless (/usr/bin/chromium, or
# $CHROMIUM) through puppeteer-core: SITE (default build-web/site, built by
# scripts/site.sh) served under a sub-path, the panes compared with those of
# trevane-run in $TREVANE_BUILD (default build/). Screenshots go to
# build-web/captures/. The share link's codec is checked on its own first.
# Prints the count; exit status 0 only when all passed.
set -euo pipefail
cd "$(dirname "$0")/../../.."
site=$(realpath "${1:-build-web/site}")
[ -f "$site/index.html" ] || { echo "Aucun site construit dans $site (scripts/site.sh)." >&2; exit 1; }
[ package-lock.json -ot node_modules/.package-lock.json ] || npm ci --no-audit --no-fund
TREVANE_SITE=$site exec node --test --test-reporter=spec tests/web/partage.test.mjs tests/web/navigateur/essais.mjs tests/web/navigateur/arret.mjs
