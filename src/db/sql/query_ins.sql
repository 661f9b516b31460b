INSERT INTO set_vm_741(operation_id,version,el_type,turn_on,status,
  date_time,summer,check_sum,pass,t_1,t_2,t_3,t_4,t_5,t_6,t_7,t_8,
  count_day,count_hour,ncorrect,indicator,time_integ,ddm,mode_tarif,
  secperday)
VALUES(:operation_id,:version,:el_type,:turn_on,:status,:date_time,
  :summer,:check_sum,:pass,:t_1,:t_2,:t_3,:t_4,:t_5,:t_6,:t_7,:t_8,
  :count_day,:count_hour,:ncorrect,:indicator,:time_integ,:ddm,:mode_tarif,
  :secperday)
