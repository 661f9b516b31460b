delete from RegMslBrak where RegMslBrak_id=:id
