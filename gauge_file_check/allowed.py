"""What a gauge file may contain to run on the simulator's own machines:
Pentium (P54C), Pentium MMX and AMD K6 processors under Windows 95 and later."""

# User-mode integer instructions of the 8086 to the Pentium, as objdump spells
# them in Intel syntax. Left out: everything the P6 and later added (cmov,
# sysenter, fences, rdpmc, ud2, the NOP forms 0F 1F/0F 1E, endbr32) and the
# privileged, port and interrupt instructions no gauge has reason to execute.
INTEGER = set("""
    aaa aad aam aas adc add and bound bsf bsr bswap bt btc btr bts call cbw cdq clc cld cmc
    cmp cmps cmpxchg cmpxchg8b cpuid cwd cwde daa das dec div enter idiv imul inc int3 ja jae
    jb jbe jcxz je jecxz jg jge jl jle jmp jne jno jnp jns jo jp js lahf lds lea leave les lfs
    lgs lods loop loope loopne lss mov movs movsx movzx mul neg nop not or pop popa popad popf
    popfd push pusha pushad pushf pushfd rcl rcr rdtsc ret retf rol ror sahf sal sar sbb scas
    seta setae setb setbe sete setg setge setl setle setne setno setnp setns seto setp sets shl
    shld shr shrd stc std stos sub test xadd xchg xlat xor
""".split())

# x87 instructions of the 8087 to the Pentium's FPU. Left out: fcmov*, fcomi,
# fcomip, fucomi, fucomip (P6), fisttp (SSE3), fxsave, fxrstor.
X87 = set("""
    f2xm1 fabs fadd faddp fbld fbstp fchs fclex fcom fcomp fcompp fcos fdecstp fdiv fdivp fdivr
    fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fist fistp fisub
    fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnclex
    fninit fnop fnsave fnstcw fnstenv fnstsw fpatan fprem fprem1 fptan frndint frstor fsave
    fscale fsin fsincos fsqrt fst fstcw fstenv fstp fstsw fsub fsubp fsubr fsubrp ftst fucom
    fucomp fucompp fwait fxam fxch fxtract fyl2x fyl2xp1
""".split())

INSTRUCTIONS = INTEGER | X87

# Prefixes objdump prints before the mnemonic.
PREFIXES = set("rep repz repe repnz repne lock cs ds es fs gs ss data16 addr16".split())

# Registers a Pentium (P54C) does not have.
FORBIDDEN_REGISTER = r"\b(mm[0-7]|[xyz]mm[0-9]+)\b"

# The sections a gauge file may have; only .text holds code.
SECTIONS = {".text", ".data", ".rdata", ".bss", ".edata", ".idata", ".rsrc", ".reloc"}
CODE_SECTION = ".text"

# The records the host finds by name, and nothing else.
EXPORTS = {"Linkage", "ImportTable"}

# The highest Windows version the image may ask for: Windows 95 is 4.0.
WINDOWS_VERSION = (4, 0)

# Functions a gauge file may import, by DLL (lower case): each one was in
# Windows 95 (DirectSound: in DirectX, as the simulator needs it). Add one only
# after checking that Windows 95 had it.
IMPORTS = {
    "kernel32.dll": {
        "DisableThreadLibraryCalls", "FindResourceA", "LoadResource", "LockResource",
        "SizeofResource", "LocalAlloc", "LocalFree", "GlobalAlloc", "GlobalFree",
        "OutputDebugStringA",
    },
    "user32.dll": {"GetActiveWindow", "FindWindowA"},
    "winmm.dll": {
        "mmioOpenA", "mmioClose", "mmioDescend", "mmioAscend", "mmioRead", "mmioSeek",
        "mmioGetInfo", "mmioSetInfo", "mmioAdvance",
    },
    "dsound.dll": {"DirectSoundCreate"},
    "msvcrt.dll": set(),
}
