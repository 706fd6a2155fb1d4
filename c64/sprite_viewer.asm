; Shows a multicolour or hires picture with sprites over it on a C64 until the machine is reset,
; up to 8 sprites on a raster line and as many lines of them as the picture holds: raster
; interrupts move each hardware sprite to its next sprite lower down. The program loads at $0801
; and starts with RUN. Everything the VIC-II reads lies in bank 1 ($4000-$7fff, no character ROM
; there): the screen RAM at $4000, the sprite blocks from $4400 on (pointers 16 to 127) and the
; bitmap at $6000, so the file runs up to $7f3f. The writer (c64/sprite_prg.cpp) appends the
; colours, the colour RAM and the interrupt table to the code and fills in the rest.
; Assembled with acme at build time.
;
; The interrupt table has one entry a sprite put in place, the entries of one interrupt in a
; row; the first of them also holds the five registers in which every hardware sprite has a
; bit, as they are once the interrupt has run, and the last the line of the next interrupt
; (0 in the others) and where its entries start. c64/sprite_multiplex.cpp plans the table and
; counts this handler's cycles: change them together.

screen_ram      = $4000
sprite_pointers = screen_ram + $3f8
sprite_blocks   = $4400
bitmap          = $6000
colour_ram      = $d800
cpu_port        = $01           ; $35: RAM under BASIC and the KERNAL, I/O at $d000
next_entry_now  = $02           ; where the next interrupt's entries start
nmi_vector      = $fffa         ; the CPU's own vectors, read from RAM once the KERNAL is out
irq_vector      = $fffe
cia1_interrupts = $dc0d
cia2_interrupts = $dd0d
cia2_port_a     = $dd00         ; low two bits %10: VIC bank 1, $4000-$7fff
sprite_x        = $d000         ; sprite n's X at $d000 + 2n, its Y at $d001 + 2n
sprite_x_high   = $d010         ; the ninth bits of the X positions
vic_control1    = $d011         ; $3b: bitmap mode, screen on, 25 rows, raster compare below 256
vic_raster      = $d012
sprite_enable   = $d015
vic_control2    = $d016         ; $18: multicolour, 40 columns; $08: hires
sprite_tall     = $d017
vic_memory      = $d018         ; $08: screen RAM at $0000 and the bitmap at $2000 of the bank
vic_irq_status  = $d019
vic_irq_enable  = $d01a
sprite_behind   = $d01b
sprite_multicolour_on = $d01c
sprite_wide     = $d01d
vic_border      = $d020
vic_background  = $d021
sprite_shared   = $d025         ; the two colours all multicolour sprites share
sprite_colour   = $d027         ; sprite n's own colour at $d027 + n

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
        lda #$7f                ; no timer interrupts: only the raster ones
        sta cia1_interrupts
        sta cia2_interrupts
        lda cia1_interrupts
        lda cia2_interrupts
        lda #<irq               ; written to the RAM under the KERNAL
        sta irq_vector
        lda #>irq
        sta irq_vector + 1
        lda #<ignore_nmi        ; RUN/STOP with RESTORE would leave the picture
        sta nmi_vector
        lda #>ignore_nmi
        sta nmi_vector + 1
        lda #$35
        sta cpu_port
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
        lda #$3b
        sta vic_control1
        lda shared_colours
        sta sprite_shared
        lda shared_colours + 1
        sta sprite_shared + 1
        lda enabled
        sta sprite_enable
        lda first_entry
        sta next_entry_now
        lda first_line
        sta vic_raster
        lda #1
        sta vic_irq_status
        sta vic_irq_enable
        cli
hold    jmp hold

; A, X and Y need no saving: the main loop keeps nothing in them.
irq     ldx next_entry_now
        lda x_high, x
        sta sprite_x_high
        lda multicolour, x
        sta sprite_multicolour_on
        lda wide, x
        sta sprite_wide
        lda tall, x
        sta sprite_tall
        lda behind, x
        sta sprite_behind
rewrite ldy position_register, x
        lda new_y, x
        sta sprite_x + 1, y
        lda new_x, x
        sta sprite_x, y
        ldy hardware_sprite, x
        lda pointer, x
        sta sprite_pointers, y
        lda colour, x
        sta sprite_colour, y
        lda next_line, x
        bne last
more    inx
        bne rewrite             ; always: the table has fewer than 256 entries
!if >rewrite != >* {
        !error "the loop's branch crosses a page and takes a cycle more than counted"
}
last    sta vic_raster
!if >last != >more {
        !error "the branch to the end crosses a page and takes a cycle more than counted"
}
        lda next_entry, x
        sta next_entry_now
        lda #1
        sta vic_irq_status
        rti

ignore_nmi
        rti

; The writer's bytes start here.
background      = *
control2        = background + 1
shared_colours  = control2 + 1
enabled         = shared_colours + 2
first_line      = enabled + 1
first_entry     = first_line + 1
colour_data     = first_entry + 1
; The table, a column a field, each within a page so that no read takes the page-crossing cycle.
table_entries   = $80
x_high          = (colour_data + 1000 + table_entries - 1) DIV table_entries * table_entries
multicolour     = x_high + table_entries
wide            = multicolour + table_entries
tall            = wide + table_entries
behind          = tall + table_entries
position_register = behind + table_entries  ; 2n for hardware sprite n
new_y           = position_register + table_entries
new_x           = new_y + table_entries     ; the low eight bits
hardware_sprite = new_x + table_entries
pointer         = hardware_sprite + table_entries
colour          = pointer + table_entries
next_line       = colour + table_entries
next_entry      = next_line + table_entries
table_end       = next_entry + table_entries

!if table_end > screen_ram {
        !error "the table runs into the screen RAM"
}
