// The editor's side of pavon: the debugger starts `pavon --dap` (the
// emulator is the debug adapter), the build task runs `pavon-asm` with its
// error lines read by the problem matcher, and F5 on an assembly file
// without a launch configuration assembles it and debugs it.
'use strict';
const vscode = require('vscode');

const BUILD_LABEL = 'build';

function setting(name, fallback) {
  return vscode.workspace.getConfiguration('pavon').get(name) || fallback;
}

// A task of type pavon-asm: SOURCE assembled into OUTPUT/ROM/ (and the
// debug information beside it).
function assembleTask(definition, scope) {
  const args = [definition.source, '-o', definition.output || '${workspaceFolder}/out'];
  const run = new vscode.ProcessExecution(setting('assemblerPath', 'pavon-asm'), args);
  const task = new vscode.Task(definition, scope || vscode.TaskScope.Workspace, definition.label || BUILD_LABEL,
    'pavon-asm', run, '$pavon-asm');
  task.group = vscode.TaskGroup.Build;
  return task;
}

const taskProvider = {
  provideTasks() {
    return [assembleTask({ type: 'pavon-asm', source: '${file}', output: '${workspaceFolder}/out' })];
  },
  resolveTask(task) {
    return task.definition.source ? assembleTask(task.definition, task.scope) : undefined;
  },
};

const adapterFactory = {
  createDebugAdapterDescriptor() {
    return new vscode.DebugAdapterExecutable(setting('emulatorPath', 'pavon'), ['--dap']);
  },
};

const configurationProvider = {
  // F5 with no launch.json: assemble the file shown and debug it.
  resolveDebugConfiguration(folder, config) {
    if (!config.type && !config.request && !config.name) {
      const editor = vscode.window.activeTextEditor;
      if (!editor || editor.document.languageId !== 'pavon-asm') {
        return config;
      }
      return {
        type: 'pavon', request: 'launch', name: 'Assemble and debug',
        preLaunchTask: `pavon-asm: ${BUILD_LABEL}`, cwd: '${workspaceFolder}/out', speed: 1, scale: 3,
      };
    }
    return config;
  },
};

function activate(context) {
  context.subscriptions.push(
    vscode.tasks.registerTaskProvider('pavon-asm', taskProvider),
    vscode.debug.registerDebugAdapterDescriptorFactory('pavon', adapterFactory),
    vscode.debug.registerDebugConfigurationProvider('pavon', configurationProvider));
}

module.exports = { activate, deactivate() {} };
