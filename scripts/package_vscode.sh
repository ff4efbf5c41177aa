#!/usr/bin/env bash
# Packages the editor extension in editors/vscode as editors/vscode/pavon.vsix,
# with the packaging tool that its package-lock.json pins (npm ci).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../editors/vscode"
npm ci --no-audit --no-fund --loglevel=error
node_modules/.bin/vsce package --skip-license --allow-missing-repository --out pavon.vsix
echo "Install it with: code --install-extension $PWD/pavon.vsix"
