// One debugging session as an editor drives it, through the protocol's own
// test client, against `pavon --dap` headless on tests/dap/program.asm and
// the pavon.dbg beside its images: START >0080 CLR @COUNT (line 9),
// >0084 LI R1,0, LOOP >0088 BL @BUMP (11), >008C INC R1 (12), >008E JMP LOOP;
// in bump.asm BUMP >0090 INC @COUNT (line 2), >0094 RT; COUNT at >F020.
const assert = require('assert');
const path = require('path');
const { DebugClient } = require('@vscode/debugadapter-testsupport');

const PAVON = process.env.PAVON_BIN;
const PROGRAM = process.env.PAVON_DAP_PROGRAM;
const MAIN = path.join(__dirname, 'program.asm');
const BUMP = path.join(__dirname, 'bump.asm');

describe('pavon --dap', function () {
  this.timeout(30000);
  let dc;
  const start = (options) => { dc = new DebugClient(PAVON, '--dap', 'pavon', options); return dc.start(); };
  beforeEach(() => start());
  afterEach(() => dc.stop());

  const frames = async () => (await dc.stackTraceRequest({ threadId: 1 })).body.stackFrames;
  const pc = async () => (await frames())[0];
  const lines = (path, ...list) => dc.setBreakpointsRequest({ source: { path }, breakpoints: list });
  const value = async (expression) => (await dc.evaluateRequest({ expression })).body.result;
  const stop = (reason) => dc.waitForEvent('stopped').then((e) => { assert.strictEqual(e.body.reason, reason); return e; });
  const variables = async (scope) => {
    const scopes = (await dc.scopesRequest({ frameId: 1 })).body.scopes;
    const list = (await dc.variablesRequest({ variablesReference: scopes.find((s) => s.name === scope).variablesReference })).body.variables;
    return Object.fromEntries(list.map((v) => [v.name, v.value]));
  };

  it('stops, shows, steps both ways, watches and ends', async () => {
    const capabilities = (await dc.initializeRequest()).body;
    assert.ok(capabilities.supportsInstructionBreakpoints && capabilities.supportsDataBreakpoints &&
      capabilities.supportsStepBack);
    await Promise.all([dc.waitForEvent('initialized'),
      dc.launchRequest({ cwd: PROGRAM, headless: true, stopOnEntry: true, rewind: 5 })]);
    const set = (await lines(BUMP, { line: 2 })).body.breakpoints[0];
    assert.deepStrictEqual([set.verified, set.line], [true, 2]);
    await Promise.all([dc.configurationDoneRequest(), stop('entry')]);
    await assert.rejects(dc.send('stepBack', { threadId: 1 }), /^Error: Nothing earlier is kept$/);

    // The breakpoint by line, the stack with its caller at the line of the call, and the registers.
    await Promise.all([dc.continueRequest({ threadId: 1 }), stop('breakpoint').then((e) => {
      assert.deepStrictEqual(e.body.hitBreakpointIds, [set.id]);
      assert.match(e.body.text, /^breakpoint at >0090 - at BUMP \(.*bump\.asm:2\)$/);
    })]);
    assert.deepStrictEqual((await frames()).map((f) => [f.name, f.source.path, f.line, f.instructionPointerReference]),
      [['BUMP', BUMP, 2, '0x0090'], ['LOOP', MAIN, 11, '0x0088']]);
    const registers = await variables('Workspace registers');
    assert.strictEqual(registers.R11, '>008C');
    assert.strictEqual(registers.R1, '>0000');
    assert.strictEqual((await variables('Processor')).WP, '>F000');

    // One instruction back, to the call, and forward again: the machine as it was.
    const machine = async () => ({ ...(await variables('Workspace registers')), ...(await variables('Processor')) });
    const before = await machine();
    await Promise.all([dc.send('stepBack', { threadId: 1 }), stop('step')]);
    assert.strictEqual((await pc()).instructionPointerReference, '0x0088');
    await Promise.all([dc.stepInRequest({ threadId: 1 }), stop('step')]);
    assert.deepStrictEqual(await machine(), before);

    // Out of the routine, then next line by line, over the call; the routine ran once more.
    await Promise.all([dc.stepOutRequest({ threadId: 1 }), stop('step')]);
    assert.deepStrictEqual([(await pc()).line, await value('COUNT')], [12, '>F020 (61472): >0001']);
    await lines(BUMP);
    for (const line of [13, 11, 12]) {
      await Promise.all([dc.nextRequest({ threadId: 1 }), stop('step')]);
      assert.strictEqual((await pc()).line, line);
    }
    assert.strictEqual(await value('@COUNT'), '>0002 (2)');
    assert.strictEqual(await value('*R11 == >0581 && R1 + 1 == 2'), '>0001 (1)');

    // A conditional breakpoint, then a data breakpoint on the counter's label.
    await lines(MAIN, { line: 12, condition: 'R1 == 5' });
    await Promise.all([dc.continueRequest({ threadId: 1 }), stop('breakpoint')]);
    assert.strictEqual(await value('R1'), '>0005 (5)');
    await lines(MAIN);
    const info = (await dc.send('dataBreakpointInfo', { name: 'COUNT' })).body;
    await dc.send('setDataBreakpoints', { breakpoints: [{ dataId: info.dataId, accessType: 'write' }] });
    await Promise.all([dc.continueRequest({ threadId: 1 }), stop('data breakpoint')]);
    assert.strictEqual((await pc()).instructionPointerReference, '0x0094');

    // Memory at the label, and the instructions with their labels and lines.
    const count = (await dc.evaluateRequest({ expression: 'COUNT' })).body.memoryReference;
    const memory = (await dc.send('readMemory', { memoryReference: count, count: 2 })).body;
    assert.strictEqual(Buffer.from(memory.data, 'base64').toString('hex'), '0007');
    const listing = (await dc.send('disassemble',
      { memoryReference: '0x0088', instructionOffset: -1, instructionCount: 3 })).body.instructions;
    assert.deepStrictEqual(listing.map((i) => `${i.address} ${i.symbol || ''} ${i.instruction} ${i.line}`),
      ['0x0084  LI R1, >0000 10', '0x0088 LOOP BL @>0090 11', '0x008C  INC R1 12']);

    // Back to the last place a breakpoint held: its condition false later on, R1 was 3 there;
    // then back to the counter's last change before that.
    await dc.send('setDataBreakpoints', { breakpoints: [] });
    const back = await dc.send('setInstructionBreakpoints',
      { breakpoints: [{ instructionReference: '0x008C', condition: 'R1 == 3' }] });
    await Promise.all([dc.send('reverseContinue', { threadId: 1 }), stop('breakpoint').then((e) =>
      assert.deepStrictEqual(e.body.hitBreakpointIds, [back.body.breakpoints[0].id]))]);
    assert.strictEqual(await value('R1'), '>0003 (3)');
    await assert.rejects(dc.send('reverseContinue', { threadId: 1 }), /No break or watch hit in the kept past/);
    await dc.send('setDataBreakpoints', { breakpoints: [{ dataId: info.dataId, accessType: 'write' }] });
    await Promise.all([dc.send('reverseContinue', { threadId: 1 }), stop('data breakpoint')]);
    assert.deepStrictEqual([(await pc()).instructionPointerReference, await value('@>F020')], ['0x0094', '>0004 (4)']);

    await dc.disconnectRequest({});
  });

  it('tells the host\'s own lines', async () => {
    await dc.stop();
    const env = { ...process.env };
    for (const name of ['DISPLAY', 'WAYLAND_DISPLAY', 'SDL_VIDEODRIVER']) delete env[name];
    await start({ env });
    const told = [];
    dc.on('output', (e) => told.push(e.body));
    await dc.initializeRequest();
    await dc.launchRequest({ cwd: PROGRAM });
    assert.ok(told.some((o) => o.category === 'stderr' && /no display can be reached/.test(o.output)));
  });

  it('runs on from the entry past a breakpoint there', async () => {
    await dc.initializeRequest();
    await dc.launchRequest({ cwd: PROGRAM, headless: true, stopOnEntry: true });
    await dc.send('setInstructionBreakpoints', { breakpoints: [{ instructionReference: '0x0080' }] });
    await lines(BUMP, { line: 2 });
    await Promise.all([dc.configurationDoneRequest(), stop('entry')]);
    await Promise.all([dc.continueRequest({ threadId: 1 }), stop('breakpoint')]);
    assert.strictEqual((await pc()).instructionPointerReference, '0x0090');
  });
});
