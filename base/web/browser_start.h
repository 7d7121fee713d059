#pragma once

// What the browser engine needs from the process before its first page.

namespace basalt {

// As root, Chromium refuses to start sandboxed: sets QTWEBENGINE_DISABLE_SANDBOX=1 unless it
// is set already, and says so once on stderr.
void DisableSandboxWhenRoot();

// True when the engine can start in this application: it needs the application's shared
// OpenGL context (Qt::AA_ShareOpenGLContexts set before the application object), and crashes
// without it. Says once on stderr when it is missing.
bool BrowserCanStart();

}  // namespace basalt
