; Shows an FLI or AFLI picture on a C64 until the machine is reset. The program loads at $0801
; and starts with RUN. The background colour, the value for $D016 ($18 for FLI, $08 for AFLI's
; hires) and the colour RAM follow the code; the eight screen
; RAMs and the bitmap load straight to $4000 and $6000, VIC bank 1, where the VIC-II reads them.
; Assembled with acme at build time; the writer appends the picture.
;
; Each frame, a raster interrupt at line $30 arms a second one at line $32 and waits for it in a
; run of two-cycle instructions, so that the second starts within one cycle of the same moment.
; That one lets the picture's first line, $33, be an ordinary bad line: the VIC-II halts the CPU
; at its first read from cycle 12 on and lets it go at cycle 55. An INC ending on cycle 11, 12
; or 13 (writes go on while the VIC-II waits for the bus) puts the CPU at cycle 55 in every case.
; From there every line takes 23 cycles of CPU time: $D018 picks the line's screen, and $D011
; is written on cycle 14 with the line's own vertical scroll, which makes it a bad line without
; restarting the character row (that happens only on cycle 14's first half). The next read halts
; the CPU until cycle 55 again. Bad lines end at $F7: the last three lines keep line $F7's screen.

screens         = $4000         ; screen n at screens + n * $400
bitmap          = $6000
colour_ram      = $d800
zero_page_spare = $02
irq_vector      = $0314
nmi_vector      = $0318
kernal_irq_exit = $ea81         ; restores Y, X, A and returns from the interrupt
cia1_interrupts = $dc0d
cia2_interrupts = $dd0d
cia2_port_a     = $dd00         ; low two bits %10: VIC bank 1, $4000-$7fff
vic_control1    = $d011
vic_raster      = $d012
vic_control2    = $d016         ; $18: multicolour, 40 columns; $08: hires
vic_memory      = $d018         ; screen n, bitmap at $2000 in the bank: n * $10 + $08
vic_irq_status  = $d019
vic_irq_enable  = $d01a
vic_border      = $d020
vic_background  = $d021

first_line      = $33           ; the picture's line 0, an ordinary bad line
last_bad_line   = $f7
switched_lines  = last_bad_line - first_line    ; lines 1..196 take a screen of their own
control1        = $38           ; bitmap mode, screen on, 25 rows; plus the vertical scroll
; Two-cycle steps from the second interrupt's start, about cycle 39 of line $32, to the INC.
sync_delay      = 13

        * = $0801

; 10 SYS <start>
        !word basic_end, 10
        !byte $9e
        !byte '0' + start / 1000 % 10, '0' + start / 100 % 10
        !byte '0' + start / 10 % 10, '0' + start % 10
        !byte 0
basic_end
        !word 0

start   sei
        lda #<ignore_nmi        ; RUN/STOP with RESTORE would leave the picture
        sta nmi_vector
        lda #>ignore_nmi
        sta nmi_vector + 1
        lda #$7f                ; no timer interrupts: only the raster ones
        sta cia1_interrupts
        sta cia2_interrupts
        lda cia1_interrupts
        lda cia2_interrupts
        lda background
        sta vic_border
        sta vic_background
        ldx #0                  ; 1000 bytes in four strips of 250
copy    lda colour_data, x
        sta colour_ram, x
        lda colour_data + 250, x
        sta colour_ram + 250, x
        lda colour_data + 500, x
        sta colour_ram + 500, x
        lda colour_data + 750, x
        sta colour_ram + 750, x
        inx
        cpx #250
        bne copy
        lda cia2_port_a
        and #$fc
        ora #$02
        sta cia2_port_a
        lda control2
        sta vic_control2
        lda #$08
        sta vic_memory
        lda #control1 | (first_line & 7)
        sta vic_control1
        jsr arm_first
        lda #1
        sta vic_irq_status
        sta vic_irq_enable
        cli
hold    jmp hold

arm_first
        lda #<irq_first
        sta irq_vector
        lda #>irq_first
        sta irq_vector + 1
        lda #first_line - 3
        sta vic_raster
        rts

; Line $30: arm the second interrupt and wait for it.
irq_first
        lda #<irq_synced
        sta irq_vector
        lda #>irq_synced
        sta irq_vector + 1
        lda #first_line - 1
        sta vic_raster
        lda #1
        sta vic_irq_status
        tsx
        stx saved_stack
        cli
        !for i, 1, 40 {
        nop
        }

; Line $32, within a cycle.
irq_synced
        lda #1
        sta vic_irq_status
        !for i, 1, sync_delay {
        nop
        }
        inc zero_page_spare     ; its writes end on cycle 11, 12 or 13 of line $33
        !for line, 1, switched_lines {
        lda #(line & 7) * $10 + $08
        sta vic_memory
        lda #control1 | ((first_line + line) & 7)
        nop
        nop
        nop
        nop
        bit zero_page_spare
        sta vic_control1        ; written on cycle 14
        }
        lda #control1 | (first_line & 7)
        sta vic_control1
        lda #$08
        sta vic_memory
        jsr arm_first
        ldx saved_stack         ; back to the main loop, as the first interrupt would go
        txs
        jmp kernal_irq_exit

ignore_nmi
        rti

saved_stack
        !byte 0

; The picture's bytes start here; the writer puts them in place.
background      = *
control2        = background + 1
colour_data     = control2 + 1
picture_end     = colour_data + 1000

!if picture_end > screens {
        !error "the colour RAM data run into the screens"
}
