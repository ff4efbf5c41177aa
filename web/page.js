// The page around the machine: the canvas it draws into, the keys it gets,
// the controls and dropped files, and window.pavon, the interface for tests
// and for other pages. The program (pavon.js) loads after this file and
// calls Module.page (web/host_calls.js).
'use strict';

(() => {
  const WIDTH = 256;
  const HEIGHT = 192;
  const PICTURE_BYTES = WIDTH * HEIGHT * 4;
  const LARGEST_SCALE = 4;

  const element = (id) => document.getElementById(id);
  const frame = element('frame');
  const canvas = element('screen');
  const context = canvas.getContext('2d');

  let running = false;
  let markReady;
  const ready = new Promise((resolve) => {
    markReady = resolve;
  });

  function showMessage(text, isError) {
    element('message').textContent = text;
    element('message').className = isError ? 'error' : '';
  }

  // A refusal: said on the page and thrown to the caller.
  function refuse(text) {
    showMessage(text, true);
    throw new Error(text);
  }

  function pictureData(rgba) {
    return new ImageData(new Uint8ClampedArray(Module.HEAPU8.buffer, rgba, PICTURE_BYTES), WIDTH, HEIGHT);
  }

  function download(blob, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  function toggleFullscreen() {
    const request = document.fullscreenElement ? document.exitFullscreen() : frame.requestFullscreen();
    request.catch((error) => showMessage('Full screen: ' + error.message, true));
  }

  window.Module = {
    print: (text) => console.log(text),
    // The machine's diagnostics (the bus's reports) are not the page's errors.
    printErr: (text) => console.warn(text),
    postRun: [() => {
      running = true;
      markReady();
    }],
    page: {
      present: (rgba) => context.putImageData(pictureData(rgba), 0, 0),
      setTitle(text) {
        element('title').textContent = text;
        document.title = text;
        element('pause').textContent = Module._web_paused() ? 'Resume' : 'Pause';
      },
      toggleFullscreen,
      savePng(name, rgba) {
        const picture = document.createElement('canvas');
        picture.width = WIDTH;
        picture.height = HEIGHT;
        picture.getContext('2d').putImageData(pictureData(rgba), 0, 0);
        picture.toBlob((blob) => download(blob, name), 'image/png');
      },
    },
  };

  // Bytes from a Uint8Array, an ArrayBuffer or an array of numbers.
  function toBytes(value, what) {
    if (value instanceof Uint8Array) {
      return value;
    }
    if (value instanceof ArrayBuffer || Array.isArray(value)) {
      return new Uint8Array(value);
    }
    return refuse(what + ': not bytes (a Uint8Array, an ArrayBuffer or an array)');
  }

  // The byte arrays copied into the program's memory for one call.
  function withBytes(arrays, action) {
    const pointers = arrays.map((bytes) => {
      const pointer = Module._malloc(Math.max(bytes.length, 1));
      Module.HEAPU8.set(bytes, pointer);
      return pointer;
    });
    try {
      return action(pointers);
    } finally {
      pointers.forEach((pointer) => Module._free(pointer));
    }
  }

  function loadRoms(first, second, names = ['the first ROM image', 'the second ROM image']) {
    const images = [toBytes(first, names[0]), toBytes(second, names[1])];
    const message = withBytes(images, ([one, two]) => Module.ccall('web_load_roms', 'string',
      ['string', 'number', 'number', 'string', 'number', 'number'],
      [names[0], one, images[0].length, names[1], two, images[1].length]));
    if (message) {
      refuse(message);
    }
    showMessage(`Running ${names[0]} and ${names[1]}.`, false);
  }

  function loadState(bytes, name = 'the state file') {
    const state = toBytes(bytes, name);
    const message = withBytes([state], ([pointer]) =>
      Module.ccall('web_load_state', 'string', ['string', 'number', 'number'], [name, pointer, state.length]));
    if (message) {
      refuse(message);
    }
    showMessage(`Loaded ${name}.`, false);
  }

  function saveState() {
    const pointer = Module._web_save_state();
    if (!pointer) {
      refuse('The state could not be saved.');
    }
    return Module.HEAPU8.slice(pointer, pointer + Module._web_state_file_size());
  }

  window.pavon = {
    ready,
    pause: () => Module._web_set_paused(1),
    resume: () => Module._web_set_paused(0),
    runFrames(count) {
      if (!Number.isInteger(count) || count < 0) {
        refuse(`runFrames: ${count} is not a number of frames`);
      }
      return Module._web_run_frames(count);
    },
    key(name, down) {
      if (Module.ccall('web_key', 'number', ['string', 'number'], [String(name), down ? 1 : 0]) < 0) {
        refuse(`key: no key is named '${name}'`);
      }
    },
    loadRoms,
    saveState,
    loadState,
    picture() {
      const pointer = Module._web_picture();
      return Module.HEAPU8.slice(pointer, pointer + PICTURE_BYTES);
    },
  };

  // Keys on the canvas go to the machine, none to the browser. A key still
  // held when the canvas loses focus is let go: its release would not come.
  const held = new Map();
  function keyEvent(event, down) {
    const key = PAVON_KEYS[event.code];
    if (key === undefined) {
      return;
    }
    event.preventDefault();
    if (!running || (down && event.repeat)) {
      return;
    }
    if (down) {
      held.set(event.code, key);
    } else {
      held.delete(event.code);
    }
    Module._web_key_event(down ? 1 : 0, key, pavonModifiers(event));
  }
  canvas.addEventListener('keydown', (event) => keyEvent(event, true));
  canvas.addEventListener('keyup', (event) => keyEvent(event, false));
  canvas.addEventListener('blur', () => {
    held.forEach((key) => Module._web_key_event(0, key, 0));
    held.clear();
  });

  // Two files are the ROM images, the first by name placed at >0000; one
  // file is a state file.
  async function openFiles(files) {
    if (!running || files.length === 0) {
      return;
    }
    const chosen = [...files].sort((a, b) => a.name.localeCompare(b.name));
    const read = await Promise.all(chosen.map((file) => file.arrayBuffer()));
    if (chosen.length === 2) {
      loadRoms(read[0], read[1], chosen.map((file) => file.name));
    } else if (chosen.length === 1 && !/\.bin$/i.test(chosen[0].name)) {
      loadState(read[0], chosen[0].name);
    } else if (chosen.length === 1) {
      refuse(`${chosen[0].name} alone: open both ROM images (pavon1.bin and pavon2.bin) together.`);
    } else {
      refuse(`${chosen.length} files: open the two ROM images (pavon1.bin and pavon2.bin), or one state file.`);
    }
  }

  // A refusal has been shown on the page already.
  const quietly = (promise) => promise.catch(() => {}).finally(() => canvas.focus());

  function control(id, action) {
    element(id).addEventListener('click', () => {
      if (running) {
        action();
      }
      canvas.focus();
    });
  }

  function pickFiles(input) {
    element(input).addEventListener('change', (event) => {
      quietly(openFiles(event.target.files));
      event.target.value = '';
    });
  }

  control('open', () => element('open-files').click());
  control('load', () => element('load-file').click());
  pickFiles('open-files');
  pickFiles('load-file');
  control('save', () => {
    try {
      download(new Blob([saveState()]), 'pavon.pvn');
    } catch {
      // said on the page
    }
  });
  control('screenshot', () => Module._web_screenshot());
  control('reset', () => Module._web_reset());
  control('pause', () => Module._web_set_paused(Module._web_paused() ? 0 : 1));
  control('fullscreen', toggleFullscreen);
  element('speed').addEventListener('change', (event) => {
    Module._web_set_speed(Number(event.target.value));
    canvas.focus();
  });
  document.addEventListener('dragover', (event) => event.preventDefault());
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    quietly(openFiles(event.dataTransfer.files));
  });

  // The largest whole scale that fits the window, so that every machine
  // pixel is a square of the same size.
  function fitCanvas() {
    const room = Math.min((window.innerWidth - 32) / WIDTH, (window.innerHeight - 150) / HEIGHT);
    const scale = Math.max(1, Math.min(LARGEST_SCALE, Math.floor(room)));
    canvas.style.width = `${WIDTH * scale}px`;
    canvas.style.height = `${HEIGHT * scale}px`;
  }
  window.addEventListener('resize', fitCanvas);
  fitCanvas();
  canvas.focus();
})();
