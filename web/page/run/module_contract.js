// Everything the page and the compiled program (the module) know of each
// other. The C++ side of it is platform/page_bridge_web.cpp, with the
// module's entry points in web/main_web.cpp.
//
// The page offers the module one object, Module.page, with these methods:
//   readInput(room)            the next bytes of the line typed at the console,
//                              at most `room` of them, as a Promise<Uint8Array>;
//                              empty at the end of input
//   write(channel, bytes)      bytes of standard output (channel 1) or standard
//                              error (channel 2)
//   showOutcome(jsonText)      the run's outcome for the diagrams, once per run
//                              just before the key wait: {"reason": sentence},
//                              or the units, forces, sections and curve
//   waitForKey()               a Promise that settles on the next key pressed
//   appendToFile(path, bytes)  appends bytes to a stored file: null when saved,
//                              else the reason, for the program's error line
// The page creates the module with createParabeamModule() and starts each run
// with ccall('parabeamRun'), which settles when the run ends. Between and
// during runs it asks for V and M at one x of the last run's beam
// (parabeamReadOut), has a student's values checked (parabeamCheck,
// parabeamCheckAtX), and asks for the program's white space between answers
// (parabeamEntrySpace); these answer at once (web/main_web.cpp).

// The build's emscripten output (-sMODULARIZE), given to the bundler under this
// name, and its WebAssembly as base64 text.
import createParabeamModule from 'parabeam-compiled-program';
import wasmBase64 from 'parabeam-compiled-program-wasm';
import { binaryBytes } from './binary_text.js';

let compiledWasm = null; // compiled once, kept for a fresh module after a failed run

export class CompiledProgram {
  #module = null; // a Promise of the module; null once a run has broken it
  #ready = null; // the module itself, once it is there
  #entrySpace = null;

  // Starts compiling, so that the first run need not wait for all of it.
  prepare() {
    this.#module ??= createModule().then((module) => {
      this.#ready = module;
      return module;
    });
    return this.#module;
  }

  // V and M of the beam the last run solved, at the x typed, or at `x` when
  // `typed` is null: the JSON text of description.js's readReadOut, or null
  // while no module is there. Called straight, not through ccall: while a run
  // waits for a line or a key, ccall would hand back a Promise of that run's end.
  readOut(typed, x) {
    const module = this.#ready;
    if (!module) return null;
    const typedText = typed === null ? 0 : cString(module, typed);
    try {
      return module.UTF8ToString(module._parabeamReadOut(typedText, x));
    } finally {
      if (typedText) module._free(typedText);
    }
  }

  // A practice value typed by the student, checked against the last run's
  // (`id` as the description's practice values name it): the JSON text
  // { verdict, sentence }, or null while no module is there.
  check(id, typed) {
    return this.#askWithTexts('_parabeamCheck', [id, typed]);
  }

  // V, or M when `moment`, at the x the student typed, checked likewise.
  checkAtX(typedX, typed, moment) {
    return this.#askWithTexts('_parabeamCheckAtX', [typedX, typed], [moment ? 1 : 0]);
  }

  // Calls an entry point that answers at once with texts in the module's
  // memory as its arguments (then `others`), and reads its answer.
  #askWithTexts(name, texts, others = []) {
    const module = this.#ready;
    if (!module) return null;
    const addresses = texts.map((text) => cString(module, text));
    try {
      return module.UTF8ToString(module[name](...addresses, ...others));
    } finally {
      for (const address of addresses) module._free(address);
    }
  }

  // The program's white space between answers, once a module has been
  // there (kept through a fresh module); null before.
  entrySpace() {
    this.#entrySpace ??= this.#ready?.UTF8ToString(this.#ready._parabeamEntrySpace()) ?? null;
    return this.#entrySpace;
  }

  // One run with `run` (a ProgramRun) as the page's side; settles when it
  // ends, and rejects when the run failed inside the module, whose memory and
  // streams may then be in any state: the next run gets a fresh module.
  async run(run) {
    const module = await this.prepare();
    module.page = pageOffered(run);
    try {
      await module.ccall('parabeamRun', 'number', [], [], { async: true });
    } catch (error) {
      this.#module = null;
      this.#ready = null;
      this.prepare().catch(() => {}); // a failure to compile shows at the next run
      throw error;
    }
  }
}

// Only the methods above, so that the module depends on nothing else of the run.
function pageOffered(run) {
  return {
    readInput: (room) => run.readInput(room),
    write: (channel, bytes) => run.write(channel, bytes),
    showOutcome: (jsonText) => run.showOutcome(jsonText),
    waitForKey: () => run.waitForKey(),
    appendToFile: (path, bytes) => run.appendToFile(path, bytes),
  };
}


// The browser compiles the WebAssembly on threads of its own from the moment
// this is called, while the page sets up its console; the module only
// instantiates it (and fetches nothing).
function createModule() {
  compiledWasm ??= WebAssembly.compile(bytesOfBase64(wasmBase64));
  return new Promise((resolve, reject) => {
    createParabeamModule({
      instantiateWasm(imports, receiveInstance) {
        compiledWasm.then((wasm) => WebAssembly.instantiate(wasm, imports))
          .then((instance) => receiveInstance(instance), reject);
        return {}; // the exports come later, through receiveInstance
      },
    }).then(resolve, reject);
  });
}

// A text in the module's memory, as UTF-8 with its terminator; freed by the caller.
function cString(module, text) {
  const size = module.lengthBytesUTF8(text) + 1;
  const address = module._malloc(size);
  module.stringToUTF8(text, address, size);
  return address;
}

function bytesOfBase64(text) {
  return Uint8Array.fromBase64 ? Uint8Array.fromBase64(text) : binaryBytes(window.atob(text));
}
